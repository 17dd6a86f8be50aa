#include "tattrtab.h"

#include "app/formcontext.h"
#include "app/settingsfile.h"

TAttrTab::TAttrTab(FormContext &form, QWidget *parent)
    : QWidget(parent)
    , m_form(form)
{
}

void TAttrTab::applySettings(const MorvSettings &)
{
}

void TAttrTab::storeSettings(MorvSettings &) const
{
}
