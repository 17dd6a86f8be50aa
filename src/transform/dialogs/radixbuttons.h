#pragma once

// The three radix toggle buttons "10 進", "16 進", "8 進" of the add and
// serial number dialogs: one group in which exactly one button is down.

#include <QToolButton>

class QButtonGroup;
class QWidget;

namespace radixbuttons {

// A toggle button of the radix group.
QToolButton *create(const QString &caption, const QRect &geometry, QButtonGroup *group, QWidget *parent);

// The caption of the large radix label: "10進", "16進" or " 8進".
QString radixCaption(int radix);

} // namespace radixbuttons
