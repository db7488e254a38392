// The About box, the splash box and the program's icon, drawn with Qt.
#include <QApplication>
#include <QDialog>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPushButton>
#include <QRadialGradient>
#include <QSplashScreen>
#include <QVBoxLayout>

#include "core/format.h"
#include "core/messages.h"
#include "ui/dialog_util_qt.h"
#include "ui/small_dialogs_qt.h"

#ifndef TRACKLORE_VERSION
#define TRACKLORE_VERSION "unknown"
#endif

namespace tracklore::ui {

namespace {

// The program's picture: a record with a note on it, drawn rather than shipped as a file.
void PaintDisc(QPainter& painter, const QRectF& box) {
    painter.setRenderHint(QPainter::Antialiasing);
    const QPointF centre = box.center();
    const qreal radius = std::min(box.width(), box.height()) / 2.0;

    QRadialGradient vinyl(centre, radius);
    vinyl.setColorAt(0.0, QColor(70, 70, 80));
    vinyl.setColorAt(1.0, QColor(15, 15, 20));
    painter.setPen(Qt::NoPen);
    painter.setBrush(vinyl);
    painter.drawEllipse(centre, radius, radius);

    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(255, 255, 255, 40), std::max<qreal>(1.0, radius / 64.0)));
    for (qreal groove = 0.45; groove < 0.97; groove += 0.08)
        painter.drawEllipse(centre, radius * groove, radius * groove);

    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(200, 60, 40));
    painter.drawEllipse(centre, radius * 0.36, radius * 0.36);

    // A quaver on the label.
    const qreal unit = radius * 0.09;
    painter.setBrush(QColor(250, 240, 220));
    const QPointF head = centre + QPointF(-unit * 0.8, unit * 1.6);
    painter.drawEllipse(head, unit * 1.1, unit * 0.8);
    painter.drawRect(
        QRectF(head.x() + unit * 0.75, head.y() - unit * 4.0, unit * 0.35, unit * 4.0));
    QPainterPath flag;
    flag.moveTo(head.x() + unit * 1.1, head.y() - unit * 4.0);
    flag.cubicTo(head.x() + unit * 2.2, head.y() - unit * 3.2, head.x() + unit * 2.6,
                 head.y() - unit * 2.4, head.x() + unit * 1.9, head.y() - unit * 1.4);
    flag.cubicTo(head.x() + unit * 2.0, head.y() - unit * 2.4, head.x() + unit * 1.6,
                 head.y() - unit * 2.8, head.x() + unit * 1.1, head.y() - unit * 3.0);
    flag.closeSubpath();
    painter.drawPath(flag);

    painter.setBrush(QColor(15, 15, 20));
    painter.drawEllipse(centre, radius * 0.04, radius * 0.04);
}

QPixmap AboutPicture(int size) {
    QPixmap picture(size, size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    PaintDisc(painter, QRectF(0, 0, size, size));
    return picture;
}

QPixmap SplashPicture() {
    constexpr int kWidth = 420;
    constexpr int kHeight = 200;
    QPixmap picture(kWidth, kHeight);
    QPainter painter(&picture);
    QLinearGradient sky(0, 0, 0, kHeight);
    sky.setColorAt(0.0, QColor(40, 60, 110));
    sky.setColorAt(1.0, QColor(10, 15, 35));
    painter.fillRect(picture.rect(), sky);
    PaintDisc(painter, QRectF(20, 20, kHeight - 40, kHeight - 40));

    QFont title = painter.font();
    title.setPointSize(20);
    title.setBold(true);
    painter.setFont(title);
    painter.setPen(QColor(250, 240, 220));
    const QRect textBox(kHeight, 0, kWidth - kHeight - 10, kHeight);
    painter.drawText(textBox, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextWordWrap,
                     QString::fromUtf8(msg::AppTitle));
    return picture;
}

QLabel* LinkLabel(const QString& target, const QString& text, QWidget* parent) {
    auto* label = new QLabel(
        QStringLiteral("<a href=\"%1\">%2</a>").arg(target.toHtmlEscaped(), text.toHtmlEscaped()),
        parent);
    label->setTextFormat(Qt::RichText);
    label->setTextInteractionFlags(Qt::TextBrowserInteraction);
    // Opens the link with the desktop's browser or mail program (QDesktopServices).
    label->setOpenExternalLinks(true);
    return label;
}

}  // namespace

void ShowAboutBox(QWidget* parent) {
    QDialog dialog(parent, kCloseOnlyDialogFlags);
    dialog.setObjectName("TAboutBox");
    dialog.setWindowTitle(QString::fromUtf8(msg::AboutCaption));

    auto* picture = new QLabel(&dialog);
    picture->setObjectName("ProgramIcon");
    picture->setPixmap(AboutPicture(96));

    auto* product = new QLabel(QString::fromUtf8(msg::AppTitle), &dialog);
    product->setObjectName("ProductName");
    QFont bold = product->font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 4);
    product->setFont(bold);
    auto* version =
        new QLabel(QString::fromStdString(Format(msg::AboutVersion, TRACKLORE_VERSION)), &dialog);
    version->setObjectName("Version");
    auto* copyright = new QLabel(QString::fromUtf8(msg::AboutCopyright), &dialog);
    copyright->setObjectName("Copyright");
    auto* comment = new QLabel(QString::fromUtf8(msg::AboutComment), &dialog);
    comment->setObjectName("Comments");
    comment->setWordWrap(true);
    const QString web = QString::fromUtf8(msg::AboutWebPage);
    const QString mail = QString::fromUtf8(msg::AboutEmail);
    QLabel* webLink = LinkLabel(web, web, &dialog);
    webLink->setObjectName("WebPage");
    QLabel* mailLink = LinkLabel(QStringLiteral("mailto:") + mail, mail, &dialog);
    mailLink->setObjectName("EMail");

    auto* texts = new QVBoxLayout;
    for (QLabel* label : {product, version, copyright, comment, webLink, mailLink})
        texts->addWidget(label);
    auto* top = new QHBoxLayout;
    top->addWidget(picture, 0, Qt::AlignTop);
    top->addLayout(texts, 1);

    auto* ok = new QPushButton(QString::fromUtf8(msg::OkButton), &dialog);
    ok->setObjectName("B_OK");
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);

    auto* layout = new QVBoxLayout(&dialog);
    layout->addLayout(top);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    ok->setFocus();
    dialog.exec();
}

QIcon ProgramIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128})
        icon.addPixmap(AboutPicture(size));
    return icon;
}

std::unique_ptr<QWidget> CreateSplashBox() {
    auto splash = std::make_unique<QSplashScreen>(SplashPicture(), Qt::WindowStaysOnTopHint);
    splash->setObjectName("SplashBox");
    splash->setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    splash->setCursor(Qt::WaitCursor);
    CenterOnScreen(splash.get());
    return splash;
}

}  // namespace tracklore::ui
