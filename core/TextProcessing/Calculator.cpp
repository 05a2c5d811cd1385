#include "core/TextProcessing/Calculator.h"

#include "core/Support/Numbers.h"
#include "core/TextProcessing/Characters.h"
#include "core/TextProcessing/TextLimits.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <vector>

namespace ondravell {
namespace {

// Recursive descent over user-perceived characters; every rule skips spaces before it looks.
class Parser {
public:
    explicit Parser(std::string_view text) : characters_(Characters::split(text)) {}

    std::optional<double> parseAll() {
        auto value = expression();
        skipSpaces();
        if (!value || position_ != characters_.size())
            return std::nullopt;
        return value;
    }

private:
    // Counts the active rule frames so that deep nesting fails instead of exhausting the stack.
    struct DepthGuard {
        explicit DepthGuard(int& depth) : depth_(depth) { ++depth_; }
        ~DepthGuard() { --depth_; }
        bool tooDeep() const { return depth_ > TextLimits::maxCalculatorNesting; }
        int& depth_;
    };

    void skipSpaces() {
        while (position_ < characters_.size() && characters_[position_] == " ")
            ++position_;
    }

    bool consume(std::string_view symbol) {
        skipSpaces();
        if (position_ < characters_.size() && characters_[position_] == symbol) {
            ++position_;
            return true;
        }
        return false;
    }

    std::optional<double> expression() {
        DepthGuard guard(depth_);
        if (guard.tooDeep())
            return std::nullopt;
        auto value = term();
        while (value) {
            if (consume("+")) {
                auto right = term();
                if (!right)
                    return std::nullopt;
                *value += *right;
            } else if (consume("-")) {
                auto right = term();
                if (!right)
                    return std::nullopt;
                *value -= *right;
            } else {
                break;
            }
        }
        return value;
    }

    std::optional<double> term() {
        auto value = power();
        while (value) {
            const bool multiply = consume("*");
            const bool divide = !multiply && consume("/");
            const bool remainder = !multiply && !divide && consume("%");
            if (!multiply && !divide && !remainder)
                break;
            auto right = power();
            if (!right || ((divide || remainder) && *right == 0))
                return std::nullopt;
            if (multiply)
                *value *= *right;
            else if (divide)
                *value /= *right;
            else
                *value = std::fmod(*value, *right);
        }
        return value;
    }

    std::optional<double> power() {
        DepthGuard guard(depth_);
        if (guard.tooDeep())
            return std::nullopt;
        auto base = unary();
        if (!base || !consume("^"))
            return base;
        auto exponent = power();
        if (!exponent)
            return std::nullopt;
        return std::pow(*base, *exponent);
    }

    std::optional<double> unary() {
        DepthGuard guard(depth_);
        if (guard.tooDeep())
            return std::nullopt;
        if (consume("-")) {
            auto operand = unary();
            return operand ? std::optional<double>(-*operand) : std::nullopt;
        }
        if (consume("+"))
            return unary();
        return primary();
    }

    std::optional<double> primary() {
        if (consume("(")) {
            auto value = expression();
            if (!value || !consume(")"))
                return std::nullopt;
            return value;
        }
        skipSpaces();
        return number();
    }

    // The longest run of numeric characters and points, which must read whole as a decimal number.
    std::optional<double> number() {
        std::string run;
        while (position_ < characters_.size() &&
               (characters_[position_] == "." || Characters::isNumber(characters_[position_]))) {
            run += characters_[position_];
            ++position_;
        }
        if (run.empty())
            return std::nullopt;
        for (char c : run) {
            if (c != '.' && (c < '0' || c > '9'))
                return std::nullopt;
        }
        double value = 0;
        const char* end = run.data() + run.size();
        auto [ptr, ec] = std::from_chars(run.data(), end, value, std::chars_format::fixed);
        if (ptr != end)
            return std::nullopt;
        if (ec == std::errc::result_out_of_range)
            return tooLargeOrSmall(run);
        if (ec != std::errc())
            return std::nullopt;
        return value;
    }

    // A digit run past the range of a double: huge values overflow (and fail later as non-finite),
    // tiny ones round to zero.
    static std::optional<double> tooLargeOrSmall(std::string_view run) {
        const auto integerPart = run.substr(0, run.find('.'));
        if (integerPart.find_first_not_of('0') != std::string_view::npos)
            return HUGE_VAL;
        return 0.0;
    }

    std::vector<std::string_view> characters_;
    std::size_t position_ = 0;
    int depth_ = 0;
};

std::string formatSignificant(double value) {
    char buffer[64];
    auto [ptr, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 10);
    if (ec != std::errc())
        return Numbers::format(value);
    return std::string(buffer, ptr);
}

} // namespace

std::optional<double> Calculator::evaluate(std::string_view text) {
    auto value = Parser(text).parseAll();
    if (!value || !std::isfinite(*value))
        return std::nullopt;
    return value;
}

std::optional<std::string> Calculator::evaluateFormatted(std::string_view text) {
    auto value = evaluate(text);
    if (!value)
        return std::nullopt;
    if (std::round(*value) == *value && std::fabs(*value) < TextLimits::maxIntegralResult)
        return Numbers::format(static_cast<std::int64_t>(*value));
    return formatSignificant(*value);
}

} // namespace ondravell
