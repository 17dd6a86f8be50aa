#pragma once
// The second tab, " 属性編集": picked block references in a grid, one row
// per block reference and one column per tag of the chosen tag set.

#include <QWidget>

class FormContext;
struct MorvSettings;

class TAttrTab : public QWidget
{
    Q_OBJECT

public:
    explicit TAttrTab(FormContext &form, QWidget *parent = nullptr);

    // At start: the tag sets and the check boxes from the settings.
    void applySettings(const MorvSettings &settings);
    // At close: this tab's values into the settings.
    void storeSettings(MorvSettings &settings) const;

private:
    FormContext &m_form;
};
