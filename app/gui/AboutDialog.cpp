#include "AboutDialog.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyleOptionFocusRect>
#include <QStylePainter>
#include <QVBoxLayout>
#include <functional>

#include "GuiSeams.h"
#include "UpdateCheck.h"
#include "Version.h"

namespace tav::gui {

namespace {

// A label that answers a click, as a link does, and Enter or Space while it holds the focus, so
// that a user without a mouse reaches it by Tab and opens it.
class ClickLabel : public QLabel {
public:
    explicit ClickLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
        setFocusPolicy(Qt::StrongFocus);
    }
    std::function<void()> onClick;

protected:
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (onClick && event->button() == Qt::LeftButton) onClick();
        QLabel::mouseReleaseEvent(event);
    }
    void keyPressEvent(QKeyEvent* event) override {
        const int key = event->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter && key != Qt::Key_Space)
            return QLabel::keyPressEvent(event);
        if (onClick) onClick();
        event->accept();
    }
    void focusInEvent(QFocusEvent* event) override {
        QLabel::focusInEvent(event);
        update();
    }
    void focusOutEvent(QFocusEvent* event) override {
        QLabel::focusOutEvent(event);
        update();
    }
    void paintEvent(QPaintEvent* event) override {
        QLabel::paintEvent(event);
        if (!hasFocus()) return;
        // The focus shows as it does on a button.
        QStylePainter painter(this);
        QStyleOptionFocusRect option;
        option.initFrom(this);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, option);
    }
};

// A label showing an address that one click opens.
QLabel* linkLabel(const QString& name, const QString& text, QWidget* parent) {
    auto* label = new ClickLabel(text, parent);
    label->onClick = [label] { guiSeams().openUrl(QUrl(label->text()), {}); };
    label->setObjectName(name);
    label->setCursor(Qt::PointingHandCursor);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::blue);
    label->setPalette(palette);
    return label;
}

}  // namespace

QString TavrinVersionText() { return core::versionText(); }

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent, Qt::Window) {
    setObjectName(QStringLiteral("TVAbout"));
    setWindowTitle(QStringLiteral("About Tavrin Extract"));
    auto* lblTitle = new QLabel(QStringLiteral("Tavrin - Extract"), this);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    QFont big = lblTitle->font();
    big.setPointSize(big.pointSize() + 6);
    big.setBold(true);
    lblTitle->setFont(big);
    auto* lblVersion = new QLabel(QStringLiteral("Version ") + TavrinVersionText(), this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    // The maker's web address: it looks like a link, and one click opens it like one.
    auto* web = linkLabel(QStringLiteral("Label4"), TavrinWebServer() + u'/', this);
    auto* cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::close);
    auto* cmdSysInfo = new QPushButton(QStringLiteral("&System Info..."), this);
    cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    connect(cmdSysInfo, &QPushButton::clicked, this, [this] { startSystemInformation(); });

    // OK keeps the focus when the box opens; Tab goes on to System Info and then the address.
    setTabOrder(cmdOK, cmdSysInfo);
    setTabOrder(cmdSysInfo, web);
    cmdOK->setFocus();

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdSysInfo);
    buttons->addStretch();
    auto* text = new QVBoxLayout;
    text->addWidget(lblTitle);
    text->addWidget(lblVersion);
    text->addWidget(web);
    text->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(text, 1);
    layout->addLayout(buttons);
}

void AboutDialog::startSystemInformation() {
    const QString root = QStringLiteral("HKEY_LOCAL_MACHINE");
    const auto value = [&](const char* keyName, const char* subKeyRef) {
        return guiSeams().readKeyValue(root, QLatin1String(keyName), QLatin1String(subKeyRef));
    };
    std::optional<QString> program = value("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH");
    if (!program) {
        const std::optional<QString> folder =
            value("SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO");
        if (folder && QFileInfo::exists(*folder + QStringLiteral("\\MSINFO32.EXE")))
            program = *folder + QStringLiteral("\\MSINFO32.EXE");
    }
    if (!program || program->isEmpty() || !guiSeams().startProgram(*program))
        guiSeams().message(this, QStringLiteral("System Information Is Unavailable At This Time"),
                           QString(), QMessageBox::NoIcon);
}

UpdateNoticeDialog::UpdateNoticeDialog(QWidget* parent) : QDialog(parent, Qt::Window) {
    setObjectName(QStringLiteral("TVUpdate"));
    setWindowTitle(QStringLiteral("Check For Updates"));
    auto* lblMessage = new QLabel(
        QStringLiteral("An update is available!  Please download the latest version from:"), this);
    lblMessage->setObjectName(QStringLiteral("lblMessage"));
    auto* link = linkLabel(QStringLiteral("lblLink"),
                           TavrinWebServer() + QStringLiteral("/Downloads/"), this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblMessage);
    layout->addWidget(link);
    resize(413, 139);  // 6195 by 2085 twips
}

}  // namespace tav::gui
