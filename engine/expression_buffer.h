// The text of the expression being built.
//
// Pieces are appended to the buffer; as soon as more than 70 characters are
// pending, wrapped lines are cut off and handed to the attached line sink.
// The buffer counts every character written, so an expression can be cut
// back to an earlier written length even after part of it has gone out: the
// last line is then taken back from the sink.
//
// Written length = length of the pending text + totalWritten. Marks are
// written lengths.
#pragma once

#include <string>
#include <string_view>

#include "line_sink.h"

namespace vorlan {

class ExpressionBuffer {
public:
    static constexpr std::size_t kMaxPending = 70;
    static constexpr std::size_t kLastBreak = 69;  // breaks lie at positions 1..69

    // The sink receives the wrapped lines; nullptr detaches. The buffer does
    // not own it. Without a sink nothing is cut off and the text only grows.
    void attach_sink(LineSink* sink) { sink_ = sink; }
    LineSink* sink() const { return sink_; }

    // Begins an expression: the text is emptied and currentWritten set to 0.
    void start_expression();
    // Empties the text only.
    void clear() { text_.clear(); }

    // Appends a token as it stands, without cutting lines.
    void append(std::string_view token) { text_.append(token); }
    const std::string& text() const { return text_; }
    bool empty() const { return text_.empty(); }

    long written_length() const { return static_cast<long>(text_.size()) + totalWritten_; }
    long currentWritten() const { return currentWritten_; }
    long totalWritten() const { return totalWritten_; }
    // Counts `n` characters that a driver wrote itself (such as " 0").
    void add_written(long n);

    // FlushExpressionLine: cuts wrapped lines while more than 70 characters
    // are pending. A line ends before the rightmost "(" among positions
    // 1..69, else before the rightmost "*" or "+" there, else after 69
    // characters.
    void flush_lines();
    // UndoExpression: cuts back until the written length is at most
    // `target`, taking lines back from the sink when the text runs empty.
    // Returns the written length at the end.
    long undo(long target);
    // AppendTerm: appends a signed term (bracketed when |multiplicity| > 1),
    // then flushes. A leading "-" of a simple term is removed from `term`.
    void append_term(std::string& term, int multiplicity, bool negate);
    // Whether the last line that the current expression wrote out ends in a
    // "-" that no "(" precedes (nothing of it written out: false). Nothing
    // pending after such a "-" means that the term behind it was taken back.
    bool written_line_ends_in_minus();
    // Hands the pending text to the sink as the expression's last piece and
    // counts it. Returns its length (0: the expression's rest was empty).
    long write_rest();

private:
    std::string text_;
    LineSink* sink_ = nullptr;
    long currentWritten_ = 0;
    long currentLines_ = 0;       // lines of the current expression written out
    // The last two characters of the last line written out, while known; a
    // line taken back leaves the one before it to be asked of the sink.
    std::string lastLineTail_;
    bool tailKnown_ = false;
    long totalWritten_ = 0;       // over the whole life of the library
    long linesSinceProgress_ = 0; // likewise
};

// Attaches a sink to a buffer for the length of a scope.
class SinkAttachment {
public:
    SinkAttachment(ExpressionBuffer& buffer, LineSink& sink) : buffer_(buffer), previous_(buffer.sink()) {
        buffer_.attach_sink(&sink);
    }
    ~SinkAttachment() { buffer_.attach_sink(previous_); }
    SinkAttachment(const SinkAttachment&) = delete;
    SinkAttachment& operator=(const SinkAttachment&) = delete;

private:
    ExpressionBuffer& buffer_;
    LineSink* previous_;
};

// The same operations on the engine's buffer, Engine().buffer.
void FlushExpressionLine();
long UndoExpression(long target);
void AppendTerm(std::string& term, int multiplicity, int negate);
// Appends a token to the engine's buffer without cutting lines.
void AppendExpressionText(std::string_view token);
// Written length of the engine's buffer: the mark the expansion takes.
long WrittenLength();

int AbsValue(int value);
// Appends one factor and "*" to a product string: the name as it stands when
// |multiplicity| is 1, else in brackets (a compound name).
void AppendFactor(std::string& product, std::string_view name, int multiplicity);

}  // namespace vorlan
