#pragma once

#include <QDialog>

class QLabel;

// The program's About window: logo, name, player model and the two versions.
class AboutMorvaScheduleGeneratorForm final : public QDialog {
    Q_OBJECT

public:
    explicit AboutMorvaScheduleGeneratorForm(QWidget* parent = nullptr);
    void Form_Load();

private:
    QLabel* m_softwareVersion = nullptr;
    QLabel* m_scheduleKernel = nullptr;
};
