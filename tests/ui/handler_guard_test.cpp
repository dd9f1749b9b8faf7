#include "base/handler_guard.hpp"

#include <exception>
#include <string>
#include <vector>

#include "app/error_reporting.hpp"
#include "base/error.hpp"
#include "support/window_test.hpp"

namespace velmora::test {
namespace {

// Puts the program's own reporter back however the test ends.
class ReporterReplacement {
  public:
    explicit ReporterReplacement(HandlerErrorReporter reporter) {
        set_handler_error_reporter(std::move(reporter));
    }
    ~ReporterReplacement() { set_handler_error_reporter(report_error); }
};

std::string message_of(const std::exception_ptr& error) {
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& failure) {
        return failure.what();
    }
}

TEST_F(WindowTest, HandlerErrorsGoToTheReporterTheApplicationInstalled) {
    std::vector<std::string> reported;
    ReporterReplacement replacement(
        [&](const std::exception_ptr& error) { reported.push_back(message_of(error)); });
    ModalAnswerer answerer;

    QPushButton button;
    int clicks = 0;
    QObject::connect(&button, &QPushButton::clicked, &button, guarded([&] {
        if (++clicks == 2) throw Error("Second click");
    }));
    button.show();
    QTest::mouseClick(&button, Qt::LeftButton);
    QTest::mouseClick(&button, Qt::LeftButton);
    run_reporting_errors([] { throw Error("Creation failed"); });
    run_reporting_errors([] {});

    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(reported, (std::vector<std::string>{"Second click", "Creation failed"}));
    EXPECT_TRUE(answerer.boxes().empty());  // the program's box reporter was not asked
}

}  // namespace
}  // namespace velmora::test
