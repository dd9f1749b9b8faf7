#include <QDesktopServices>
#include <QUrl>

#include "resources/program_identity.hpp"
#include "support/window_test.hpp"

namespace velmora::test {
namespace {

// Stands in for the desktop's browser: records the addresses it is asked to open.
class UrlRecorder : public QObject {
    Q_OBJECT
  public:
    QList<QUrl> opened;
  public slots:
    void open(const QUrl& url) { opened.push_back(url); }
};

TEST_F(WindowTest, AboutWindowOpensCentredThenWhereItWasLeft) {
    EXPECT_FALSE(about_window().isVisible());
    EXPECT_EQ(about_window().size(), QSize(345, 219));
    EXPECT_EQ(about_window().windowTitle(), "About Velmora");
    main_window().move(300, 200);
    QRect first;
    QPoint moved_to(40, 30);
    ModalAnswerer answerer;
    answerer.then([&](QWidget& about) {
        EXPECT_EQ(&about, &about_window());
        EXPECT_TRUE(about.isModal());
        first = about.frameGeometry();
        about.move(moved_to);
        QTest::mouseClick(about.findChild<QPushButton*>(QStringLiteral("Button1")), Qt::LeftButton);
    });
    click("Button5");
    ASSERT_TRUE(answerer.all_actions_taken());
    EXPECT_FALSE(about_window().isVisible());
    // Centred frame over frame, title bars and borders included.
    const QRect main = main_window().frameGeometry();
    EXPECT_EQ(first.topLeft(), QPoint(main.x() + (main.width() - first.width()) / 2,
                                      main.y() + (main.height() - first.height()) / 2));

    main_window().move(500, 400);
    QPoint second;
    answerer.then([&](QWidget& about) {
        second = about.pos();
        about.close();  // the close box ends it as "Close" does
    });
    click("Button5");
    ASSERT_TRUE(answerer.all_actions_taken());
    EXPECT_EQ(second, moved_to);
    EXPECT_FALSE(about_window().isVisible());
    EXPECT_TRUE(answerer.boxes().empty());
}

TEST_F(WindowTest, AboutWindowNeverOpensLeftOfOrAboveTheDesktop) {
    main_window().move(-300, -400);
    QPoint shown_at;
    ModalAnswerer answerer;
    answerer.then([&](QWidget& about) {
        shown_at = about.pos();
        about.close();
    });
    click("Button5");
    ASSERT_TRUE(answerer.all_actions_taken());
    const QRect desktop = main_window().screen()->virtualGeometry();
    EXPECT_GE(shown_at.x(), desktop.left());
    EXPECT_GE(shown_at.y(), desktop.top());
}

TEST_F(WindowTest, AboutWindowLabelsNameTheProductAndWhatItDoes) {
    struct Expected {
        const char* name;
        QString text;
        QPoint at;
        bool bold;
    };
    const Expected labels[] = {
        {"Label1", "About Velmora", {8, 18}, false},
        {"Label2", "Version:", {25, 56}, true},
        {"Label3", "2", {74, 56}, false},
        {"Label4", "Free for personal and business use", {25, 72}, true},
        {"Label6",
         "Velmora is an application to resize, compress the images and photos. Also, the application allows "
         "you to quickly insert logos and copyright marks. ",
         {25, 116},
         false},
    };
    for (const Expected& expected : labels) {
        auto* label = about_window().findChild<QLabel*>(QString::fromUtf8(expected.name));
        ASSERT_NE(label, nullptr) << expected.name;
        EXPECT_EQ(label->text(), expected.text) << expected.name;
        EXPECT_EQ(label->pos(), expected.at) << expected.name;
        EXPECT_EQ(label->font().bold(), expected.bold) << expected.name;
    }
    auto* heading = about_window().findChild<QLabel*>(QStringLiteral("Label1"));
    EXPECT_EQ(heading->size(), QSize(329, 25));
    EXPECT_EQ(heading->font().pixelSize(), 21);
    EXPECT_TRUE(heading->alignment() & Qt::AlignHCenter);
    auto* description = about_window().findChild<QLabel*>(QStringLiteral("Label6"));
    EXPECT_EQ(description->size(), QSize(296, 45));
    EXPECT_TRUE(description->wordWrap());
    auto* close = about_window().findChild<QPushButton*>(QStringLiteral("Button1"));
    ASSERT_NE(close, nullptr);
    EXPECT_EQ(close->text(), "Close");
    EXPECT_EQ(close->geometry(), QRect(93, 177, 158, 25));
}

TEST_F(WindowTest, SiteLabelShowsItsHintAndOpensTheSite) {
    auto* site = about_window().findChild<QLabel*>(QStringLiteral("Label_developer_site"));
    ASSERT_NE(site, nullptr);
    const QString address = QString::fromUtf8(kDeveloperSite);
    EXPECT_TRUE(address.startsWith("https://") && address.endsWith("/"));
    EXPECT_EQ(site->text(), address);
    EXPECT_EQ(site->toolTip(), "Visit website " + address);
    EXPECT_EQ(site->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_TRUE(site->font().bold() && site->font().underline());

    UrlRecorder browser;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &browser, "open");
    ModalAnswerer answerer;
    answerer.then([&](QWidget& about) {
        QTest::mouseClick(site, Qt::LeftButton);
        EXPECT_TRUE(about.isVisible());  // the site opens beside it, the window stays
        about.close();
    });
    click("Button5");
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    ASSERT_EQ(browser.opened.size(), 1);
    EXPECT_EQ(browser.opened.front(), QUrl(address));
    EXPECT_TRUE(answerer.boxes().empty());
}

}  // namespace
}  // namespace velmora::test

#include "about_window_test.moc"
