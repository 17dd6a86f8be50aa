#include "benchform.h"

#include "form/sidefiles.h"

#include <QCoreApplication>
#include <QTabWidget>

BenchForm::BenchForm(cad::RunningObjectTable *runningObjects)
    : m_runningObjects(runningObjects ? *runningObjects : memoryObjects)
{
    SideFiles::setFolderOverride(m_dir.path());
    memoryObjects.registerRunning(ProgId, drawing);
}

BenchForm::~BenchForm()
{
    m_form.reset();
    SideFiles::setFolderOverride(QString());
}

void BenchForm::start(int page)
{
    m_form = std::make_unique<TMorvMainForm>(MainFormServices{m_runningObjects, windows, messages, pump, {}, {}});
    m_form->show();
    m_form->PageControl1->setCurrentIndex(page);
    QCoreApplication::processEvents();
}
