// Work done in a child process (POSIX systems), for what must not touch the test's own process.
#pragma once

#include <functional>

namespace velmora::test {

// Runs `work` in a forked child and answers its exit code (-1 when it did not exit normally). With
// `unprivileged`, a child running as root first becomes the user nobody, so that file permissions bind.
int run_in_child(const std::function<int()>& work, bool unprivileged = false);

}  // namespace velmora::test
