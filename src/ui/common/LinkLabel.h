#pragma once

#include <QLabel>

// A label that acts as a link: it opens its address when clicked, or when it
// has the focus and Enter or Space is pressed.
class LinkLabel final : public QLabel {
    Q_OBJECT

public:
    LinkLabel(const QString& name, const QString& link, QWidget* parent = nullptr);

Q_SIGNALS:
    void clicked(const QString& link);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QString m_link;
};
