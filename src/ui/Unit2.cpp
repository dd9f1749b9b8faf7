#include "ui/Unit2.hpp"

#include <algorithm>
#include <climits>

#include <QDesktopServices>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QUrl>

#include "base/handler_guard.hpp"
#include "resources/program_identity.hpp"
#include "ui/auto_label.hpp"
#include "ui/frame_placement.hpp"
#include "ui/push_button.hpp"
#include "ui/window_fonts.hpp"

namespace velmora {

TForm2::TForm2(QWidget* owner) : QDialog(owner) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("About Velmora"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFont(window_font());
    setFixedSize(kClientWidth, kClientHeight);

    const QFont regular = window_font();
    const QFont bold = window_font(kFont8Point, true);
    Label1 = auto_label(this, "Label1", QStringLiteral("About Velmora"), 8, 18, window_font(kFont16Point));
    Label1->setGeometry(8, 18, 329, 25);
    Label1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label2 = auto_label(this, "Label2", QStringLiteral("Version:"), 25, 56, bold);
    Label3 = auto_label(this, "Label3", QString::fromUtf8(kProgramMajorVersion), 74, 56, regular);
    Label4 = auto_label(this, "Label4", QStringLiteral("Free for personal and business use"), 25, 72, bold);
    QFont link = bold;
    link.setUnderline(true);
    Label_developer_site =
        auto_label(this, "Label_developer_site", QString::fromUtf8(kDeveloperSite), 25, 88, link);
    Label_developer_site->setCursor(Qt::PointingHandCursor);
    Label_developer_site->installEventFilter(this);
    Label6 = auto_label(
        this, "Label6",
        QStringLiteral("Velmora is an application to resize, compress the images and photos. Also, the "
                       "application allows you to quickly insert logos and copyright marks. "),
        25, 116, regular);
    Label6->setWordWrap(true);
    Label6->setGeometry(25, 116, 296, 45);
    Label6->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    Button1 = new PushButton(QStringLiteral("Close"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setFont(regular);
    Button1->setGeometry(93, 177, 158, 25);
    for (QWidget* unfocusable : {static_cast<QWidget*>(Label1), static_cast<QWidget*>(Label_developer_site)})
        unfocusable->setFocusPolicy(Qt::NoFocus);
    connect(Button1, &QPushButton::clicked, this, guarded([this] { Button1Click(); }));
}

void TForm2::FormCreate() {
    Label_developer_site->setToolTip(QStringLiteral("Visit website ") + Label_developer_site->text());
}

void TForm2::Label_developer_siteClick() {
    // The shell's answer does not matter: without a browser nothing happens and the window stays.
    QDesktopServices::openUrl(QUrl(QString::fromUtf8(kDeveloperSite)));
}

void TForm2::Button1Click() {
    close();
}

void TForm2::show_modally(const QWidget* over) {
    if (!placed_) {
        const QRect owner = over->frameGeometry();
        const QPoint desktop_corner = over->screen() != nullptr ? over->screen()->virtualGeometry().topLeft()
                                                                : QPoint(INT_MIN, INT_MIN);
        const auto corner = [owner, desktop_corner](QSize frame) {
            const QPoint centred = centred_corner(owner, frame);
            return QPoint(std::max(centred.x(), desktop_corner.x()),
                          std::max(centred.y(), desktop_corner.y()));
        };
        // This window is framed as the main window is, near enough to guess its frame from that one.
        place_by_frame(*this, corner, frame_margins(*over));
        placed_ = true;
    }
    exec();
}

bool TForm2::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Label_developer_site && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        run_reporting_errors([this] { Label_developer_siteClick(); });
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace velmora
