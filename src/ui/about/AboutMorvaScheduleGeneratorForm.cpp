#include "AboutMorvaScheduleGeneratorForm.h"

#include "AboutVersions.h"
#include "CurrentTexts.h"
#include "Fonts.h"
#include "LogoPicture.h"
#include "OkButton.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

QLabel* addLabel(QVBoxLayout* layout, const QString& name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setFont(CaptionFont());
    label->setAlignment(Qt::AlignCenter);
    layout->addWidget(label);
    return label;
}

} // namespace

AboutMorvaScheduleGeneratorForm::AboutMorvaScheduleGeneratorForm(QWidget* parent)
    : QDialog(parent) {
    setObjectName(u"AboutMorvaScheduleGeneratorForm"_s);
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    QLabel* logo = addLabel(layout, u"MorvaLogoImage"_s, this);
    logo->setPixmap(LogoPicture(QSize(220, 70)));
    QLabel* name = addLabel(layout, u"Label1"_s, this);
    name->setText(QString::fromUtf16(ProgramName));
    QFont bold = CaptionFont();
    bold.setBold(true);
    name->setFont(bold);
    addLabel(layout, u"Label2"_s, this)->setText(QString::fromUtf16(PlayerModelLine));
    m_softwareVersion = addLabel(layout, u"SoftwareVersionLabel"_s, this);
    m_scheduleKernel = addLabel(layout, u"ScheduleKernelLabel"_s, this);
    AddOkButton(this, layout);
    Form_Load();
}

void AboutMorvaScheduleGeneratorForm::Form_Load() {
    setWindowTitle(Text(TextSlot::AboutProgramCaption));
    m_softwareVersion->setText(SoftwareVersionText());
    m_scheduleKernel->setText(ScheduleKernelVersionText());
}
