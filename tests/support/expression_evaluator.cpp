#include "expression_evaluator.h"

#include <cctype>

namespace vorlan::test {
namespace {

bool IsOperator(char c) { return c == '+' || c == '-' || c == '*' || c == '(' || c == ')'; }

// Recursive descent over
//   sum     := product (("+" | "-") product)*
//   product := signed ("*" signed)*
//   signed  := ("+" | "-") signed | primary
//   primary := number | sterm | name | "(" sum ")"
//   sterm   := "S" digit* ("{" (elemname "[" digit* "]")* "}")?
// A name is a run of characters that are no operator; one that begins with a
// digit is a number. An S-term is read as one only when it is valued.
class Parser {
public:
    Parser(std::string_view text, const ValueMap& values, const STermValue& sTerm)
        : text_(text), values_(values), sTerm_(sTerm) {}

    Evaluation Run() {
        if (text_.empty()) return {};
        Evaluation e = Sum();
        if (pos_ != text_.size()) Fail("unexpected character");
        return e;
    }

private:
    [[noreturn]] void Fail(const std::string& what) const {
        throw EvaluationError(what + " at " + std::to_string(pos_) + " in \"" + std::string(text_) + "\"");
    }

    bool At(char c) const { return pos_ < text_.size() && text_[pos_] == c; }

    Evaluation Sum() {
        Evaluation e = Product();
        while (At('+') || At('-')) {
            const bool minus = text_[pos_++] == '-';
            const Evaluation t = Product();
            e.value += minus ? -t.value : t.value;
            e.magnitude += t.magnitude;
        }
        return e;
    }

    Evaluation Product() {
        Evaluation e = Signed();
        while (At('*')) {
            ++pos_;
            const Evaluation f = Signed();
            e.value *= f.value;
            e.magnitude *= f.magnitude;
        }
        return e;
    }

    Evaluation Signed() {
        if (At('+')) {
            ++pos_;
            return Signed();
        }
        if (At('-')) {
            ++pos_;
            Evaluation e = Signed();
            e.value = -e.value;
            return e;
        }
        return Primary();
    }

    Evaluation Primary() {
        if (pos_ >= text_.size()) Fail("missing operand");
        if (At('(')) {
            ++pos_;
            Evaluation e = Sum();
            if (!At(')')) Fail("missing \")\"");
            ++pos_;
            return e;
        }
        if (At('S') && sTerm_) return sTerm_(ReadSTerm());
        const std::size_t begin = pos_;
        while (pos_ < text_.size() && !IsOperator(text_[pos_])) ++pos_;
        if (pos_ == begin) Fail("missing operand");
        const std::string_view token = text_.substr(begin, pos_ - begin);
        if (std::isdigit(static_cast<unsigned char>(token[0]))) {
            std::size_t used = 0;
            long double v = 0;
            try {
                v = std::stold(std::string(token), &used);
            } catch (const std::exception&) {
                used = 0;
            }
            if (used != token.size()) Fail("bad number \"" + std::string(token) + "\"");
            return {v, v < 0 ? -v : v};
        }
        // "S" alone: what is left of a circuit without S nodes once nothing
        // of it is left, the empty determinant.
        if (token == "S") return {1, 1};
        if (token[0] == 'S') Fail("S-term \"" + std::string(token) + "\" has no number");
        const auto it = values_.find(token);
        if (it == values_.end()) Fail("no value for \"" + std::string(token) + "\"");
        const long double v = it->second;
        return {v, v < 0 ? -v : v};
    }

    std::string Digits() {
        const std::size_t begin = pos_;
        while (pos_ < text_.size() && std::isdigit(static_cast<unsigned char>(text_[pos_]))) ++pos_;
        return std::string(text_.substr(begin, pos_ - begin));
    }

    STerm ReadSTerm() {
        const std::size_t begin = pos_++;
        STerm term;
        term.digits = Digits();
        if (At('{')) {
            ++pos_;
            while (!At('}')) {
                const std::size_t name = pos_;
                while (pos_ < text_.size() && text_[pos_] != '[' && text_[pos_] != ']' && text_[pos_] != '}') ++pos_;
                if (!At('[') || pos_ == name) Fail("S-term element without name or \"[\"");
                STerm::Element element{std::string(text_.substr(name, pos_ - name)), {}};
                ++pos_;
                element.digits = Digits();
                if (!At(']')) Fail("S-term element without \"]\"");
                ++pos_;
                term.elements.push_back(std::move(element));
            }
            ++pos_;
        }
        if (pos_ < text_.size() && !IsOperator(text_[pos_])) Fail("S-term followed by no operator");
        term.text = std::string(text_.substr(begin, pos_ - begin));
        return term;
    }

    std::string_view text_;
    const ValueMap& values_;
    const STermValue& sTerm_;
    std::size_t pos_ = 0;
};

}  // namespace

Evaluation EvaluateExpression(std::string_view expression, const ValueMap& values, const STermValue& sTerm) {
    return Parser(expression, values, sTerm).Run();
}

}  // namespace vorlan::test
