#include "expression_buffer.h"

#include <cstdio>

#include "state.h"

namespace vorlan {

namespace {

constexpr long kProgressEvery = 100;  // a print when more lines than this went out

// Where the next wrapped line of `text` ends: before the rightmost "(" among
// positions 1..69, else before the rightmost "*" or "+" there, else after 69
// characters (a long run without a break character).
std::size_t BreakPosition(const std::string& text) {
    const std::size_t last = ExpressionBuffer::kLastBreak;
    for (std::size_t k = last; k >= 1; --k)
        if (text[k] == '(') return k;
    for (std::size_t k = last; k >= 1; --k)
        if (text[k] == '*' || text[k] == '+') return k;
    return last;
}

// The last two characters of a line (fewer when it is shorter).
std::string Tail(std::string_view line) { return std::string(line.substr(line.size() < 2 ? 0 : line.size() - 2)); }

}  // namespace

void ExpressionBuffer::start_expression() {
    text_.clear();
    currentWritten_ = 0;
    currentLines_ = 0;
    tailKnown_ = false;
}

void ExpressionBuffer::add_written(long n) {
    totalWritten_ += n;
    currentWritten_ += n;
}

void ExpressionBuffer::flush_lines() {
    if (!sink_) return;
    while (text_.size() > kMaxPending) {
        const std::size_t k = BreakPosition(text_);
        const std::string_view line = std::string_view(text_).substr(0, k);
        sink_->write_line(line);
        lastLineTail_ = Tail(line);
        tailKnown_ = true;
        ++currentLines_;
        add_written(static_cast<long>(k));
        text_.erase(0, k);
        if (sink_->shows_progress()) {
            if (linesSinceProgress_ > kProgressEvery) {
                std::printf("\n %ld ", totalWritten_);
                linesSinceProgress_ = 0;
            }
            ++linesSinceProgress_;
        }
    }
}

long ExpressionBuffer::undo(long target) {
    while (written_length() > target) {
        if (text_.empty()) {
            std::string line = sink_ ? sink_->take_back_last_line() : std::string();
            if (line.empty()) break;  // nothing left to take back
            totalWritten_ -= static_cast<long>(line.size());
            text_ = std::move(line);
            if (currentLines_ > 0) --currentLines_;
            tailKnown_ = false;
            continue;
        }
        const long excess = written_length() - target;
        const std::size_t cut = static_cast<std::size_t>(excess) < text_.size()
                                    ? static_cast<std::size_t>(excess)
                                    : text_.size();
        text_.erase(text_.size() - cut);
    }
    return written_length();
}

void ExpressionBuffer::append_term(std::string& term, int multiplicity, bool negate) {
    const int size = AbsValue(multiplicity);
    if (size == 1 && !term.empty() && term[0] == '-') {
        term.erase(0, 1);
        negate = !negate;
    }
    if (size == 1) {
        if (negate) {
            if (!text_.empty() && text_.back() == '+')
                text_.back() = '-';
            else if (!text_.empty() && text_.back() == '-')
                text_.back() = '+';
            else
                text_.push_back('-');
        }
        text_.append(term);
    } else if (size > 1) {
        if (negate) {
            if (!text_.empty() && text_.back() == '+') text_.pop_back();
            text_.append("-(");
        } else {
            text_.push_back('(');
        }
        text_.append(term);
        text_.push_back(')');
    }
    flush_lines();
}

bool ExpressionBuffer::written_line_ends_in_minus() {
    if (currentLines_ == 0 || !sink_) return false;
    if (!tailKnown_) {
        lastLineTail_ = Tail(sink_->last_line());
        tailKnown_ = true;
    }
    const std::string& tail = lastLineTail_;
    return !tail.empty() && tail.back() == '-' && !(tail.size() == 2 && tail[0] == '(');
}

long ExpressionBuffer::write_rest() {
    const long length = static_cast<long>(text_.size());
    if (sink_) sink_->write_rest(text_);
    add_written(length);
    text_.clear();
    return length;
}

void FlushExpressionLine() { Engine().buffer.flush_lines(); }

long UndoExpression(long target) { return Engine().buffer.undo(target); }

void AppendTerm(std::string& term, int multiplicity, int negate) {
    Engine().buffer.append_term(term, multiplicity, negate != 0);
}

void AppendExpressionText(std::string_view token) { Engine().buffer.append(token); }

long WrittenLength() { return Engine().buffer.written_length(); }

int AbsValue(int value) { return value < 0 ? -value : value; }

void AppendFactor(std::string& product, std::string_view name, int multiplicity) {
    if (AbsValue(multiplicity) == 1) {
        product.append(name);
    } else {
        product.push_back('(');
        product.append(name);
        product.push_back(')');
    }
    product.push_back('*');
}

}  // namespace vorlan
