#include "tsearchtab.h"

#include "app/formcontext.h"
#include "app/settingsfile.h"

TSearchTab::TSearchTab(FormContext &form, QWidget *parent)
    : QWidget(parent)
    , m_form(form)
{
}

void TSearchTab::applySettings(const MorvSettings &)
{
}

void TSearchTab::storeSettings(MorvSettings &) const
{
}
