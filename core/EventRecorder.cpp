#include "core/EventRecorder.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <ostream>
#include <stdexcept>

#include <nlohmann/json.hpp>

#include "platform/AutomationError.h"

namespace glv {

namespace {

template <class... F>
struct Overloaded : F... {
    using F::operator()...;
};
// Spelled out for compilers without deduction from aggregate initialisation (clang 14).
template <class... F>
Overloaded(F...) -> Overloaded<F...>;

// Lays out the shortest round-trip digits the way JSON numbers are usually written: plain
// decimals for everyday magnitudes, an exponent only for very small or very large ones.
template <class Float>
std::string ShortestDecimalOf(Float value) {
    if (std::isnan(value)) return "NaN";
    if (std::isinf(value)) return value < 0 ? "-Infinity" : "Infinity";
    if (value == 0) return "0";  // also for -0, which reads back equal

    // Scientific form gives the shortest digits and the exponent unambiguously: -d.ddde+XX.
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
    std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));

    std::string out;
    if (text.front() == '-') {
        out += '-';
        text.remove_prefix(1);
    }
    const std::size_t e = text.find('e');
    std::string digits;
    for (char c : text.substr(0, e))
        if (c != '.') digits += c;
    std::string_view exponentText = text.substr(e + 1);
    const bool negativeExponent = exponentText.front() == '-';
    exponentText.remove_prefix(1);  // the sign
    int exponent = 0;
    std::from_chars(exponentText.data(), exponentText.data() + exponentText.size(), exponent);
    if (negativeExponent) exponent = -exponent;

    const int count = static_cast<int>(digits.size());
    const int point = exponent + 1;  // digits before the decimal point
    if (count <= point && point <= 21) {
        out += digits;
        out.append(static_cast<std::size_t>(point - count), '0');
    } else if (0 < point && point <= 21) {
        out += digits.substr(0, static_cast<std::size_t>(point));
        out += '.';
        out += digits.substr(static_cast<std::size_t>(point));
    } else if (-6 < point && point <= 0) {
        out += "0.";
        out.append(static_cast<std::size_t>(-point), '0');
        out += digits;
    } else {
        out += digits[0];
        if (count > 1) {
            out += '.';
            out += digits.substr(1);
        }
        out += exponent < 0 ? "e-" : "e+";
        out += std::to_string(std::abs(exponent));
    }
    return out;
}

}  // namespace

std::string ShortestDecimal(double value) { return ShortestDecimalOf(value); }
std::string ShortestDecimal(float value) { return ShortestDecimalOf(value); }

std::string JsonQuote(std::string_view text) {
    return nlohmann::json(std::string(text)).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

std::vector<std::string> EventRecorder::TakeLines() {
    std::vector<std::string> taken;
    taken.swap(lines_);
    return taken;
}

bool EventRecorder::IsKnownEvent(std::string_view event) { return FindEvent(event) != nullptr; }

bool EventRecorder::IsKnownArgument(std::string_view event, std::string_view arg) {
    const EventInfo* info = FindEvent(event);
    return info != nullptr && info->ArgIndex(arg).has_value();
}

std::string EventRecorder::PrepareAnswer(std::string_view event, const std::map<std::string, Variant>& args,
                                         EventId& id, std::vector<AnswerArg>& prepared) {
    const EventInfo* info = FindEvent(event);
    if (info == nullptr) return "unknown event \"" + std::string(event) + "\"";
    id = static_cast<EventId>(info - kEventTable.data());
    for (const auto& [name, value] : args) {
        const auto index = info->ArgIndex(name);
        const std::string where = std::string(event) + " argument \"" + name + "\"";
        if (!index) return where + ": the event has no such argument";
        const EventArg& arg = info->args[*index];
        if (!arg.byRef) return where + ": not passed by reference, so it cannot be answered";
        try {
            AnswerValue converted;
            switch (arg.type) {
                case EventArgType::Integer: converted = value.ToInteger(); break;
                case EventArgType::Long: converted = value.ToLong(); break;
                case EventArgType::Single: converted = value.ToSingle(); break;
                case EventArgType::Boolean: converted = value.ToBoolean(); break;
                case EventArgType::String: converted = value.ToString(); break;
                default: return where + ": not passed by reference, so it cannot be answered";
            }
            prepared.push_back({*index, std::move(converted)});
        } catch (const AutomationError& error) {
            return where + ": " + std::string(VarTypeName(value.Type())) + " value does not convert to " +
                   std::string(ArgTypeName(arg.type)) + " (" + error.Description + ")";
        }
    }
    return {};
}

std::string EventRecorder::CheckAnswer(std::string_view event, const std::map<std::string, Variant>& args) {
    EventId id = 0;
    std::vector<AnswerArg> prepared;
    return PrepareAnswer(event, args, id, prepared);
}

void EventRecorder::SetAnswer(std::string_view event, const std::map<std::string, Variant>& args) {
    EventId id = 0;
    std::vector<AnswerArg> prepared;
    if (std::string error = PrepareAnswer(event, args, id, prepared); !error.empty())
        throw std::invalid_argument(error);
    answers_[id] = AnswerSequence{{std::move(prepared)}, 0};
}

void EventRecorder::SetAnswerSequence(std::string_view event,
                                      const std::vector<std::map<std::string, Variant>>& sequence) {
    EventId id = 0;
    AnswerSequence answers;
    for (std::size_t i = 0; i < sequence.size(); ++i) {
        std::vector<AnswerArg> prepared;
        if (std::string error = PrepareAnswer(event, sequence[i], id, prepared); !error.empty())
            throw std::invalid_argument("entry " + std::to_string(i + 1) + ": " + error);
        answers.entries.push_back(std::move(prepared));
    }
    if (!FindEvent(event)) throw std::invalid_argument("unknown event \"" + std::string(event) + "\"");
    answers_[static_cast<EventId>(FindEvent(event) - kEventTable.data())] = std::move(answers);
}

void EventRecorder::ClearAnswer(std::string_view event) {
    if (const EventInfo* info = FindEvent(event)) answers_[static_cast<EventId>(info - kEventTable.data())] = {};
}

void EventRecorder::Record(EventId id, std::span<const ArgRef> args) {
    const EventInfo& info = kEventTable[id];
    std::string line(info.name);
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (std::holds_alternative<std::monostate>(args[i])) continue;
        line += ' ';
        line += info.args[i].name;
        line += '=';
        line += std::visit(Overloaded{
                               [](std::monostate) { return std::string(); },
                               [](const int16_t* v) { return std::to_string(*v); },
                               [](const int32_t* v) { return std::to_string(*v); },
                               [](const float* v) { return ShortestDecimal(*v); },
                               [](const bool* v) { return std::string(*v ? "True" : "False"); },
                               [](const std::string* v) { return JsonQuote(*v); },
                           },
                           args[i]);
    }
    if (echo_ != nullptr) *echo_ << line << '\n';
    lines_.push_back(std::move(line));

    // Answers go in after the line is written, so the line shows what the control passed.
    AnswerSequence& sequence = answers_[id];
    if (sequence.entries.empty()) return;
    const std::size_t entry = std::min(sequence.next, sequence.entries.size() - 1);
    ++sequence.next;
    for (const AnswerArg& answer : sequence.entries[entry]) {
        std::visit(Overloaded{
                       [](std::monostate, const auto&) {},
                       []<class T>(T* target, const T& value) { *target = value; },
                       [](auto*, const auto&) {},  // cannot happen: both follow the table's type
                   },
                   args[answer.arg], answer.value);
    }
}

}  // namespace glv
