#pragma once
// The third tab, "TEXT 検索・編集": every TEXT entity of the drawing whose
// string matches a pattern, in a one-column grid.

#include <QWidget>

class FormContext;
struct MorvSettings;

class TSearchTab : public QWidget
{
    Q_OBJECT

public:
    explicit TSearchTab(FormContext &form, QWidget *parent = nullptr);

    // At start: the check boxes from the settings.
    void applySettings(const MorvSettings &settings);
    // At close: this tab's values into the settings.
    void storeSettings(MorvSettings &settings) const;

private:
    FormContext &m_form;
};
