#include <new>

#include "app/error_reporting.hpp"
#include "base/error.hpp"
#include "base/handler_guard.hpp"
#include "support/window_test.hpp"

namespace velmora::test {
namespace {

// A button whose handler throws what it is given, connected through the guard as the windows' are.
class ThrowingButton {
  public:
    template <class Failure>
    explicit ThrowingButton(Failure failure) {
        QObject::connect(&button, &QPushButton::clicked, &button, guarded([failure] { throw failure; }));
        button.show();
    }
    QPushButton button;
};

TEST_F(WindowTest, HandlerErrorsEndInTheVelmoraBoxAndTheProgramGoesOn) {
    ModalAnswerer answerer;
    ThrowingButton failing(Error("Failed to set data for 'photo_width'"));
    QTest::mouseClick(&failing.button, Qt::LeftButton);
    QTest::mouseClick(&failing.button, Qt::LeftButton);
    ThrowingButton out_of_memory(std::bad_alloc{});
    QTest::mouseClick(&out_of_memory.button, Qt::LeftButton);
    ThrowingButton aborting(Abort{});
    QTest::mouseClick(&aborting.button, Qt::LeftButton);
    QTest::qWait(50);

    ASSERT_EQ(answerer.boxes().size(), 3u);
    for (const ShownBox& box : answerer.boxes()) {
        EXPECT_EQ(box.title, "Velmora");
        EXPECT_EQ(box.icon, QMessageBox::Critical);
    }
    EXPECT_EQ(answerer.boxes()[0].text, "Failed to set data for 'photo_width'");
    EXPECT_EQ(answerer.boxes()[1].text, "Failed to set data for 'photo_width'");
    EXPECT_EQ(answerer.boxes()[2].text, "Out of memory.");
}

// An object whose event handling throws outside any guard: the application object catches it.
class ThrowingObject : public QObject {
  public:
    bool event(QEvent* event) override {
        if (event->type() == QEvent::User) throw Error("Escaped the handler");
        return QObject::event(event);
    }
};

TEST_F(WindowTest, ApplicationCatchesWhatEscapesAnEventHandler) {
    ModalAnswerer answerer;
    ThrowingObject object;
    QCoreApplication::postEvent(&object, new QEvent(QEvent::User));
    QTest::qWait(50);
    ASSERT_EQ(answerer.boxes().size(), 1u);
    EXPECT_EQ(answerer.boxes()[0].title, "Velmora");
    EXPECT_EQ(answerer.boxes()[0].text, "Escaped the handler.");
}

TEST_F(WindowTest, ClosingTheMainWindowDuringAPumpEndsSilently) {
    ModalAnswerer answerer;
    bool ended_by_abort = false;
    QPushButton long_run;
    QObject::connect(&long_run, &QPushButton::clicked, &long_run, guarded([&] {
        QTimer::singleShot(10, &main_window(), [&] { main_window().close(); });
        try {
            for (;;) main_window().pump_messages();
        } catch (const Abort&) {
            ended_by_abort = true;
            throw;
        }
    }));
    long_run.show();
    QTest::mouseClick(&long_run, Qt::LeftButton);
    QTest::qWait(20);
    EXPECT_TRUE(ended_by_abort);
    EXPECT_FALSE(main_window().isVisible());
    EXPECT_TRUE(answerer.boxes().empty());
}

}  // namespace
}  // namespace velmora::test
