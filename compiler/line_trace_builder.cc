#include "compiler/line_trace_builder.h"

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <utility>
#include <vector>

#include "util/text.h"

namespace sb {
namespace {

constexpr double kTurnOfClass[] = {0.0001, 0.0002, 0.0004, 0.001, 0.002, 0.003};
constexpr std::string_view kClassDigits[] = {"1", "2", "3", "4", "5", "6"};

}  // namespace

std::optional<double> curve_turn(std::string_view keyword_field) {
  for (size_t i = 0; i < std::size(kClassDigits); ++i) {
    if (!contains(keyword_field, kClassDigits[i])) continue;
    const double turn = kTurnOfClass[i];
    return contains_ignoring_case(keyword_field, "s") ? -turn : turn;
  }
  return std::nullopt;
}

namespace {

// The two rows before the next one to compute.
struct Recent {
  double x2 = 0.0, y2 = 0.0;  // the row before the last
  double x1 = 0.0, y1 = 1.0;  // the last row computed
};

// Rows first..last, each from the two before it, straight or turned by
// `turn`.  Kept out of line, with the recent rows in locals that no store
// into the trace can touch, so that they stay in registers.
[[gnu::noinline]] Recent compute_rows(LineTrace& trace, Recent r, int32_t first, int32_t last,
                                      double turn) {
  double x2 = r.x2, y2 = r.y2, x1 = r.x1, y1 = r.y1;
  for (int32_t j = first; j <= last; ++j) {
    const double dx = x1 - x2;
    const double dy = y1 - y2;
    double x;
    double y;
    if (turn == 0.0) {
      x = x1 + dx;
      y = y1 + dy;
    } else {
      x = x1 + dx + turn * dy;
      y = y1 + dy - turn * dx;
    }
    trace.store_double_values(j, x, y);
    x2 = x1;
    y2 = y1;
    x1 = x;
    y1 = y;
  }
  return {x2, y2, x1, y1};
}

}  // namespace

// Computes the values of stepped rows in order, keeping the two rows before
// the next step beside the trace so that a step reads nothing back from it.
class LineTraceBuilder::Stepper {
 public:
  explicit Stepper(LineTrace& trace) : trace_(trace) {}

  void compute(const Steps& steps) {
    recent_ = compute_rows(trace_, recent_, steps.first, steps.last, steps.turn);
  }

 private:
  LineTrace& trace_;
  Recent recent_;
};

// The steps handed to the helper thread, in order, until the builder is
// done with them.
class LineTraceBuilder::StepQueue {
 public:
  void push(const Steps& steps) {
    {
      std::lock_guard lock(mutex_);
      steps_.push_back(steps);
    }
    ready_.notify_one();
  }

  void close() {
    {
      std::lock_guard lock(mutex_);
      closed_ = true;
    }
    ready_.notify_one();
  }

  // The next steps; nothing once the queue is closed and empty, or when the
  // helper is asked to stop.
  std::optional<Steps> pop(std::stop_token stop) {
    std::unique_lock lock(mutex_);
    if (!ready_.wait(lock, std::move(stop), [this] { return next_ < steps_.size() || closed_; })) {
      return std::nullopt;
    }
    if (next_ == steps_.size()) return std::nullopt;
    return steps_[next_++];
  }

 private:
  std::mutex mutex_;
  std::condition_variable_any ready_;
  std::vector<Steps> steps_;
  size_t next_ = 0;
  bool closed_ = false;
};

namespace {

// Rows the helper computes before it reports them: enough to keep reports
// rare, few enough that a writer following it is seldom kept waiting.
constexpr int32_t kRowsPerReport = 1 << 15;

}  // namespace

// The helper's work: the steps as they come, reported a few rows at a time.
void LineTraceBuilder::compute_handed_steps(StepQueue& queue, LineTrace& trace,
                                            const std::stop_token& stop) {
  Stepper stepper(trace);
  while (const std::optional<Steps> steps = queue.pop(stop)) {
    for (int32_t first = steps->first; first <= steps->last; first += kRowsPerReport) {
      const int32_t last = std::min(steps->last, first + (kRowsPerReport - 1));
      stepper.compute({first, last, steps->turn});
      trace.report_stored(last + 1);
    }
  }
}

LineTraceBuilder::LineTraceBuilder(LineTrace& trace)
    : trace_(trace), last_row_(trace.last_index() - 2) {
  trace_.set_int16(0, 0, 0);
  trace_.set_int16(1, 0, 1);
  if (trace_.row_count() >= kLeastBackgroundRows) {
    auto queue = std::make_shared<StepQueue>();
    auto work = [queue, &trace](const std::stop_token& stop) {
      compute_handed_steps(*queue, trace, stop);
    };
    if (trace_.fill_in_background(std::move(work))) background_ = std::move(queue);
  }
  if (!background_) stepper_ = std::make_unique<Stepper>(trace_);
}

LineTraceBuilder::~LineTraceBuilder() {
  if (background_) background_->close();
}

// Rows from the cursor to `last`: marked double at once, their values
// computed here or handed to the helper.
void LineTraceBuilder::steps(int32_t last, double turn) {
  trace_.mark_doubles(cursor_, last);
  if (background_) {
    background_->push({cursor_, last, turn});
  } else {
    stepper_->compute({cursor_, last, turn});
  }
  cursor_ = last + 1;
}

// Each step is allowed while the cursor is within the trace; the step that
// takes the cursor beyond kLastCurveRow is the last one.
bool LineTraceBuilder::step_until(int64_t last_row, double turn) {
  while (cursor_ <= last_row) {
    if (cursor_ > last_row_) return false;
    const int64_t last = std::min({last_row, int64_t{last_row_}, int64_t{kLastCurveRow}});
    steps(static_cast<int32_t>(std::max(int64_t{cursor_}, last)), turn);
    if (cursor_ > kLastCurveRow) return false;
  }
  return true;
}

bool LineTraceBuilder::curve(int64_t start, int64_t length, double turn) {
  return step_until(start, 0.0) && step_until(start + length, turn);
}

void LineTraceBuilder::straight_to_end() {
  if (cursor_ <= last_row_) steps(last_row_, 0.0);
}

}  // namespace sb
