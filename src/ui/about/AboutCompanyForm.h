#pragma once

#include <QDialog>
#include <QUrl>
#include <functional>

class UserDialogs;

// The maker's offices with their links; a link opens with the desktop's
// default handler, and "Link error" says when that failed.
class AboutCompanyForm final : public QDialog {
    Q_OBJECT

public:
    using LinkOpener = std::function<bool(const QUrl&)>;

    // opener is QDesktopServices::openUrl unless a test says otherwise.
    explicit AboutCompanyForm(UserDialogs& dialogs, LinkOpener opener = {},
                              QWidget* parent = nullptr);
    void Form_Load();
    void openLink(const QString& link);

private:
    UserDialogs& m_dialogs;
    LinkOpener m_opener;
};
