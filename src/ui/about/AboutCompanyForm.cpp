#include "AboutCompanyForm.h"

#include "CompanyOffices.h"
#include "CurrentTexts.h"
#include "Fonts.h"
#include "LinkLabel.h"
#include "LogoPicture.h"
#include "OkButton.h"
#include "UserDialogs.h"

#include <QDesktopServices>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

void styleLabel(QLabel* label, const QColor& colour, bool bold, bool underline) {
    QFont font = CaptionFont();
    font.setBold(bold);
    font.setUnderline(underline);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

QLabel* plainLabel(const QString& name, const QString& text, const QColor& colour, bool bold,
                   QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    styleLabel(label, colour, bold, false);
    return label;
}

} // namespace

AboutCompanyForm::AboutCompanyForm(UserDialogs& dialogs, LinkOpener opener, QWidget* parent)
    : QDialog(parent)
    , m_dialogs(dialogs)
    , m_opener(opener ? std::move(opener) : LinkOpener(&QDesktopServices::openUrl)) {
    setObjectName(u"AboutCompanyForm"_s);
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    auto* logo = new QLabel(this);
    logo->setObjectName(u"MorvaLogoImage"_s);
    logo->setPixmap(LogoPicture(QSize(220, 70)));
    layout->addWidget(logo);

    for (const CompanyOffice& office : CompanyOffices()) {
        const QString prefix = office.labelPrefix;
        layout->addSpacing(8);
        layout->addWidget(
            plainLabel(prefix + u"Label"_s, office.companyName, QColor(0, 0, 128), true, this));
        auto* web = new LinkLabel(prefix + u"WWWLabel"_s, WebLink(office), this);
        web->setText(u"Web : "_s + office.webAddress);
        styleLabel(web, QColor(0, 0, 255), false, true);
        auto* email = new LinkLabel(prefix + u"EmailLabel"_s, EmailLink(office), this);
        email->setText(u"E-mail : "_s + office.emailAddress);
        styleLabel(email, QColor(128, 64, 64), false, true);
        for (LinkLabel* link : {web, email}) {
            connect(link, &LinkLabel::clicked, this, &AboutCompanyForm::openLink);
            layout->addWidget(link);
        }
        layout->addWidget(plainLabel(prefix + u"AddressLabel"_s, office.postalAddress,
                                     QColor(0, 128, 0), false, this));
        layout->addWidget(plainLabel(prefix + u"TelephoneLabel"_s, office.telephone,
                                     QColor(128, 0, 128), false, this));
    }
    AddOkButton(this, layout);
    Form_Load();
}

void AboutCompanyForm::Form_Load() {
    setWindowTitle(Text(TextSlot::AboutCompanyCaption));
}

void AboutCompanyForm::openLink(const QString& link) {
    // The window stays open either way; only a failure is reported.
    if (!m_opener(QUrl(link)))
        m_dialogs.showMessage(Text(TextSlot::LinkError));
}
