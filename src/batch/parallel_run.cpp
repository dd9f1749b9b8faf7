#include "batch/parallel_run.hpp"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <utility>

#include "base/error.hpp"
#include "base/file_io.hpp"
#include "base/numeric.hpp"
#include "batch/output_location.hpp"

namespace velmora {
namespace {

// How often the calling thread pumps while it waits for the picture whose turn it is.
constexpr std::chrono::milliseconds kPumpInterval{20};

// What became of one picture: its encoded bytes, or why it failed.
struct Outcome {
    bool done = false;
    std::vector<std::uint8_t> bytes;
    std::exception_ptr failure;
};

// The pictures handed out to the threads and their outcomes, kept in a ring for the pictures taken
// ahead of the next to be written.
class PictureBoard {
  public:
    PictureBoard(std::size_t count, std::size_t ahead) : count_(count), ring_(ahead), first_failure_(count) {}

    // The next picture to work on, or none once every picture is taken, one before it has failed or the
    // run stops. Waits while the ring is full.
    std::optional<std::size_t> take() {
        std::unique_lock lock(mutex_);
        taking_.wait(lock, [&] { return stopping_ || next_to_take_ < next_to_write_ + ring_.size(); });
        if (stopping_ || next_to_take_ >= std::min(count_, first_failure_.load())) return std::nullopt;
        return next_to_take_++;
    }

    void finish(std::size_t picture, Outcome outcome) {
        {
            const std::lock_guard lock(mutex_);
            if (outcome.failure) first_failure_ = std::min(first_failure_.load(), picture);
            outcome.done = true;
            ring_[picture % ring_.size()] = std::move(outcome);
        }
        finished_.notify_one();
    }

    // The outcome of `picture`, the next to be written, once it is there; `wait` runs every so often
    // until then.
    template <class Wait>
    Outcome outcome_of(std::size_t picture, const Wait& wait) {
        std::unique_lock lock(mutex_);
        Outcome& slot = ring_[picture % ring_.size()];
        while (!finished_.wait_for(lock, kPumpInterval, [&] { return slot.done; })) {
            lock.unlock();
            wait();
            lock.lock();
        }
        return std::exchange(slot, {});
    }

    void written(std::size_t picture) {
        {
            const std::lock_guard lock(mutex_);
            next_to_write_ = picture + 1;
        }
        taking_.notify_all();
    }

    void stop() {
        {
            const std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        stop_requested_ = true;
        taking_.notify_all();
    }

    // Whether the work on `picture` can be dropped: the run stops, or an earlier picture failed.
    bool abandoned(std::size_t picture) const { return stop_requested_ || picture > first_failure_; }

  private:
    const std::size_t count_;
    std::mutex mutex_;
    std::condition_variable taking_;
    std::condition_variable finished_;
    std::vector<Outcome> ring_;
    std::size_t next_to_take_ = 0;
    std::size_t next_to_write_ = 0;
    bool stopping_ = false;
    std::atomic<bool> stop_requested_{false};
    std::atomic<std::size_t> first_failure_;
};

// The controls a thread's pictures read: those of the window as they stood before the first picture.
// Its pump drops the picture under way once its work can no longer be used.
class FrozenControls final : public PictureControls {
  public:
    FrozenControls(PictureControls& window, const PictureBoard& board)
        : position_(window.logo_position_index()),
          inset_horizontal_(window.inset_horizontal_text()),
          inset_vertical_(window.inset_vertical_text()),
          quality_(window.quality()),
          board_(board) {}

    void start(std::size_t picture) { picture_ = picture; }

    int logo_position_index() override { return position_; }
    std::string inset_horizontal_text() override { return inset_horizontal_; }
    std::string inset_vertical_text() override { return inset_vertical_; }
    int quality() override { return quality_; }
    void pump_messages() override {
        if (board_.abandoned(picture_)) throw Abort();
    }

  private:
    const int position_;
    const std::string inset_horizontal_;
    const std::string inset_vertical_;
    const int quality_;
    const PictureBoard& board_;
    std::size_t picture_ = 0;
};

void work_on_pictures(PhotoPipeline& pipeline, FrozenControls controls, const RunPictures& pictures,
                      PictureBoard& board) {
    // A thread may start with another precision than the one the pictures' arithmetic needs.
    use_extended_precision();
    while (const std::optional<std::size_t> picture = board.take()) {
        Outcome outcome;
        try {
            controls.start(*picture);
            outcome.bytes = pipeline.encode_photo(controls, pictures.files[*picture], pictures.target_width);
        } catch (...) {
            outcome.failure = std::current_exception();
        }
        board.finish(*picture, std::move(outcome));
    }
}

// The threads with their pipelines; however the run ends, they are stopped and joined before the
// pipelines and the board go.
class Workers {
  public:
    explicit Workers(PictureBoard& board) : board_(board) {}
    Workers(const Workers&) = delete;
    Workers& operator=(const Workers&) = delete;
    ~Workers() {
        board_.stop();
        for (std::thread& thread : threads_) thread.join();
    }

    void start(PhotoPipeline& pipeline, FrozenControls controls, const RunPictures& pictures) {
        threads_.emplace_back(work_on_pictures, std::ref(pipeline), std::move(controls), std::cref(pictures),
                              std::ref(board_));
    }

  private:
    PictureBoard& board_;
    std::vector<std::thread> threads_;
};

}  // namespace

void show_running_number(BatchWindow& window, int running_number) {
    window.pump_messages();
    window.set_processed_text(std::to_string(running_number));
    window.pump_messages();
}

void process_in_parallel(BatchWindow& window, PhotoPipeline& pipeline, const RunPictures& pictures,
                         int jobs) {
    const std::size_t count = pictures.files.size();
    const std::size_t threads = std::min(count, static_cast<std::size_t>(std::max(jobs, 1)));
    PictureBoard board(count, 2 * threads);
    // The siblings outlive the threads that use them: Workers joins them first.
    std::vector<std::unique_ptr<PhotoPipeline>> siblings;
    for (std::size_t i = 1; i < threads; ++i) siblings.push_back(pipeline.sibling());
    const FrozenControls controls(window, board);
    {
        Workers workers(board);
        workers.start(pipeline, controls, pictures);
        for (const auto& sibling : siblings) workers.start(*sibling, controls, pictures);

        int running_number = pictures.first_number;
        for (std::size_t picture = 0; picture < count; ++picture, ++running_number) {
            show_running_number(window, running_number);
            Outcome outcome = board.outcome_of(picture, [&] { window.pump_messages(); });
            if (outcome.failure) std::rethrow_exception(outcome.failure);
            const std::filesystem::path output = output_file_path(pictures.folder.path, running_number);
            save_into(pictures.folder, output, [&] { write_file_atomically(output, outcome.bytes); });
            board.written(picture);
        }
    }
}

}  // namespace velmora
