// The x87 precision that long double arithmetic runs at, which is a setting of each thread.
#include <gtest/gtest.h>

#include <cmath>
#include <thread>

#include "base/numeric.hpp"

#if defined(_WIN32)
#include <process.h>
#include <windows.h>
#endif

namespace velmora {
namespace {

// Whether 1 + 2^-63, which needs all 64 bits of the significand, is kept apart from 1 on this thread.
bool keeps_64_bits() {
    volatile long double sum = 1;
    sum = sum + std::ldexp(1.0L, -63);
    return sum != 1;
}

// Sets this thread's x87 precision to the 53 bits of double, as some libraries and threads leave it.
void set_double_precision() {
    unsigned short control = 0;
    asm volatile("fnstcw %0" : "=m"(control));
    control = static_cast<unsigned short>((control & ~0x300) | 0x200);
    asm volatile("fldcw %0" : : "m"(control));
}

TEST(ExtendedPrecision, HoldsInTheMainThreadAndInThreadsOfTheStandardLibrary) {
    EXPECT_TRUE(keeps_64_bits());
    EXPECT_TRUE(extended_precision_in_effect());
    bool in_thread = false;
    std::thread([&] { in_thread = keeps_64_bits() && extended_precision_in_effect(); }).join();
    EXPECT_TRUE(in_thread);
}

TEST(ExtendedPrecision, AThreadAtDoublePrecisionIsSeenAndSetBack) {
    bool before = true;
    bool after = false;
    std::thread([&] {
        set_double_precision();
        before = extended_precision_in_effect() || keeps_64_bits();
        use_extended_precision();
        after = extended_precision_in_effect() && keeps_64_bits();
    }).join();
    EXPECT_FALSE(before);
    EXPECT_TRUE(after);
}

#if defined(_WIN32)
// Windows starts such threads at 53 bits; the program's own threads set the precision first.
unsigned __stdcall thread_of_the_system(void* result) {
    use_extended_precision();
    *static_cast<bool*>(result) = keeps_64_bits();
    return 0;
}

TEST(ExtendedPrecision, HoldsInAThreadStartedThroughTheSystemOnceSet) {
    bool result = false;
    const auto thread =
        reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, thread_of_the_system, &result, 0, nullptr));
    ASSERT_NE(thread, nullptr);
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    EXPECT_TRUE(result);
}
#endif

}  // namespace
}  // namespace velmora
