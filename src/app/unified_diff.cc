#include "app/unified_diff.h"

#include <algorithm>
#include <cstddef>
#include <unordered_map>
#include <vector>

#include "platform/text_lines.h"

namespace ql2 {
namespace {

constexpr std::string_view kNoNewline = "\\ No newline at end of file\n";

// Marks which lines of a must be removed and which lines of b added for a shortest edit script.
// Lines are compared as numbers, equal numbers standing for equal lines with equal endings.
class LineMatcher {
 public:
  LineMatcher(const std::vector<int>& a, const std::vector<int>& b)
      : a_(a), b_(b), removed_(a.size(), false), added_(b.size(), false) {
    Compare(0, static_cast<int>(a.size()), 0, static_cast<int>(b.size()));
  }

  const std::vector<bool>& removed() const { return removed_; }
  const std::vector<bool>& added() const { return added_; }

 private:
  // Common ends are taken off first: our edits leave most of a file alone, and it keeps every
  // range handed to Split free of a leading or trailing match.
  void Compare(int a_lo, int a_hi, int b_lo, int b_hi) {
    while (a_lo < a_hi && b_lo < b_hi && a_[a_lo] == b_[b_lo]) ++a_lo, ++b_lo;
    while (a_lo < a_hi && b_lo < b_hi && a_[a_hi - 1] == b_[b_hi - 1]) --a_hi, --b_hi;
    int x = 0;
    int y = 0;
    // Nothing left in common: every line left in a is removed and every one in b added.
    if (a_lo == a_hi || b_lo == b_hi || !Split(a_lo, a_hi, b_lo, b_hi, &x, &y)) {
      std::fill(removed_.begin() + a_lo, removed_.begin() + a_hi, true);
      std::fill(added_.begin() + b_lo, added_.begin() + b_hi, true);
      return;
    }
    Compare(a_lo, x, b_lo, y);
    Compare(x, a_hi, y, b_hi);
  }

  // Finds a point (x, y) that lies on a shortest edit path through the ranges, about halfway in
  // edits, by running the greedy search from both ends until the two frontiers meet. Each half
  // then needs fewer edits than the whole, so the recursion ends. False when the ranges have no
  // line in common.
  bool Split(int a_lo, int a_hi, int b_lo, int b_hi, int* split_x, int* split_y) {
    const int n = a_hi - a_lo;
    const int m = b_hi - b_lo;
    const int max_d = (n + m + 1) / 2;
    const int offset = max_d + 1;
    // forward[k]: furthest x reached on diagonal k = x - y from the start; backward[k]: the same
    // counted from the end. -1 where no path has reached yet.
    std::vector<int> forward(2 * max_d + 3, -1);
    std::vector<int> backward(2 * max_d + 3, -1);
    forward[offset + 1] = 0;
    backward[offset + 1] = 0;
    const int delta = n - m;
    const bool odd = (delta % 2) != 0;
    // Diagonals whose paths ran off the edges are not extended further.
    int f_start = 0, f_end = 0, b_start = 0, b_end = 0;
    for (int d = 0; d < max_d; ++d) {
      for (int k = -d + f_start; k <= d - f_end; k += 2) {
        int x = (k == -d || (k != d && forward[offset + k - 1] < forward[offset + k + 1]))
                    ? forward[offset + k + 1]
                    : forward[offset + k - 1] + 1;
        int y = x - k;
        while (x < n && y < m && a_[a_lo + x] == b_[b_lo + y]) ++x, ++y;
        forward[offset + k] = x;
        if (x > n) {
          f_end += 2;
        } else if (y > m) {
          f_start += 2;
        } else if (odd) {
          int back = offset + delta - k;
          if (back >= 0 && back < static_cast<int>(backward.size()) && backward[back] != -1 &&
              x >= n - backward[back]) {
            *split_x = a_lo + x;
            *split_y = b_lo + y;
            return true;
          }
        }
      }
      for (int k = -d + b_start; k <= d - b_end; k += 2) {
        int x = (k == -d || (k != d && backward[offset + k - 1] < backward[offset + k + 1]))
                    ? backward[offset + k + 1]
                    : backward[offset + k - 1] + 1;
        int y = x - k;
        while (x < n && y < m && a_[a_hi - 1 - x] == b_[b_hi - 1 - y]) ++x, ++y;
        backward[offset + k] = x;
        if (x > n) {
          b_end += 2;
        } else if (y > m) {
          b_start += 2;
        } else if (!odd) {
          int fore = offset + delta - k;
          if (fore >= 0 && fore < static_cast<int>(forward.size()) && forward[fore] != -1) {
            int fx = forward[fore];
            int fy = fx - (delta - k);
            if (fx >= n - x) {
              *split_x = a_lo + fx;
              *split_y = b_lo + fy;
              return true;
            }
          }
        }
      }
    }
    return false;
  }

  const std::vector<int>& a_;
  const std::vector<int>& b_;
  std::vector<bool> removed_;
  std::vector<bool> added_;
};

enum class OpKind { kKeep, kRemove, kAdd };

// One line of the edit script; old_line and new_line are the 0-based positions in each file when
// the step is taken (for an added line, old_line is the old line it goes before).
struct Op {
  OpKind kind;
  std::size_t old_line;
  std::size_t new_line;
};

std::string RangeText(std::size_t first, std::size_t count) {
  // An empty range is named by the line before it, as diff does.
  std::string text = std::to_string(count == 0 ? first : first + 1);
  if (count != 1) text += "," + std::to_string(count);
  return text;
}

}  // namespace

std::string UnifiedDiff(std::string_view old_name, std::string_view new_name,
                        std::string_view before, std::string_view after, int context) {
  if (before == after) return std::string();
  if (context < 0) context = 0;

  const std::vector<TextLine> old_lines = SplitLines(before);
  const std::vector<TextLine> new_lines = SplitLines(after);
  // Whole lines, endings included, become numbers, so that the search compares integers.
  std::unordered_map<std::string_view, int> numbers;
  auto number_lines = [&numbers](std::string_view bytes, const std::vector<TextLine>& lines) {
    std::vector<int> result;
    result.reserve(lines.size());
    for (const TextLine& line : lines) {
      std::string_view whole = bytes.substr(line.begin, line.end - line.begin);
      result.push_back(numbers.emplace(whole, static_cast<int>(numbers.size())).first->second);
    }
    return result;
  };
  const std::vector<int> a = number_lines(before, old_lines);
  const std::vector<int> b = number_lines(after, new_lines);
  const LineMatcher matcher(a, b);

  // Within each run of changes all removals come before all additions, as diff prints them.
  std::vector<Op> ops;
  ops.reserve(a.size() + b.size());
  for (std::size_t i = 0, j = 0; i < a.size() || j < b.size();) {
    if (i < a.size() && matcher.removed()[i]) {
      ops.push_back({OpKind::kRemove, i++, j});
    } else if (j < b.size() && matcher.added()[j]) {
      ops.push_back({OpKind::kAdd, i, j++});
    } else {
      ops.push_back({OpKind::kKeep, i++, j++});
    }
  }

  std::string out;
  out.append("--- ").append(old_name).append("\n");
  out.append("+++ ").append(new_name).append("\n");

  auto print_line = [&out](char mark, std::string_view bytes, const TextLine& line) {
    out += mark;
    out.append(LineText(bytes, line));
    out += '\n';
    if (!line.has_ending()) out.append(kNoNewline);
  };

  const std::size_t span = static_cast<std::size_t>(context);
  std::size_t next = 0;  // the first op not yet printed
  while (true) {
    std::size_t first_change = next;
    while (first_change < ops.size() && ops[first_change].kind == OpKind::kKeep) ++first_change;
    if (first_change == ops.size()) break;
    // Changes separated by at most twice the context share one hunk.
    std::size_t last_change = first_change;
    for (std::size_t k = first_change + 1; k < ops.size() && k - last_change <= 2 * span + 1; ++k) {
      if (ops[k].kind != OpKind::kKeep) last_change = k;
    }
    std::size_t begin = first_change - std::min(span, first_change - next);
    std::size_t end = std::min(ops.size(), last_change + 1 + span);

    std::size_t old_count = 0;
    std::size_t new_count = 0;
    for (std::size_t k = begin; k < end; ++k) {
      if (ops[k].kind != OpKind::kAdd) ++old_count;
      if (ops[k].kind != OpKind::kRemove) ++new_count;
    }
    out.append("@@ -").append(RangeText(ops[begin].old_line, old_count));
    out.append(" +").append(RangeText(ops[begin].new_line, new_count)).append(" @@\n");
    for (std::size_t k = begin; k < end; ++k) {
      const Op& op = ops[k];
      switch (op.kind) {
        case OpKind::kKeep:
          print_line(' ', before, old_lines[op.old_line]);
          break;
        case OpKind::kRemove:
          print_line('-', before, old_lines[op.old_line]);
          break;
        case OpKind::kAdd:
          print_line('+', after, new_lines[op.new_line]);
          break;
      }
    }
    next = end;
  }
  return out;
}

}  // namespace ql2
