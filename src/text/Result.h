#pragma once

// How a failure travels in the core. An operation that can fail returns a
// Result: its value, or the FailureCause that says which file, which element,
// which value and what the system answered, so that the caller never has to
// reconstruct why. Failure (text/Failure.h) is thrown only where the caller
// cannot go on (a reader deep inside a section, a writer halfway through a
// document); the step that began the work catches it and hands its cause on
// as a Result. Never a bare bool that drops the cause, never a cause parked in
// shared state for someone to pick up later, and no message sink where a
// Result would do: the front end decides what the user reads.

#include "text/Failure.h"

#include <exception>
#include <optional>
#include <type_traits>
#include <utility>
#include <variant>

namespace notarion {

// The value of an operation that succeeded, or the cause of its failure.
template <typename T = void> class [[nodiscard]] Result {
public:
    Result(T value) : m_state(std::move(value)) {}
    Result(FailureCause cause) : m_state(std::move(cause)) {}

    // True when the operation succeeded.
    explicit operator bool() const { return m_state.index() == 0; }
    // The value; only on success.
    const T& Value() const& { return std::get<0>(m_state); }
    T& Value() & { return std::get<0>(m_state); }
    T&& Value() && { return std::get<0>(std::move(m_state)); }
    // The cause of the failure; General with empty texts on success.
    const FailureCause& Cause() const {
        static const FailureCause none;
        return m_state.index() == 1 ? std::get<1>(m_state) : none;
    }

private:
    std::variant<T, FailureCause> m_state;
};

// An operation that gives nothing back but may fail.
template <> class [[nodiscard]] Result<void> {
public:
    // Success.
    Result() = default;
    Result(FailureCause cause) : m_cause(std::move(cause)) {}

    explicit operator bool() const { return !m_cause; }
    // The cause of the failure; General with empty texts on success.
    const FailureCause& Cause() const {
        static const FailureCause none;
        return m_cause ? *m_cause : none;
    }

private:
    std::optional<FailureCause> m_cause;
};

// The Result of a step that returns T: Result<T>, and a step that already
// returns a Result gives that Result.
template <typename T> struct ResultOf { using Type = Result<T>; };
template <typename T> struct ResultOf<Result<T>> { using Type = Result<T>; };

// Run step, which reports failure by throwing (or returns a Result), and give
// what it returns as a Result: the cause of a Failure it threw, or a General
// cause with empty texts for any other exception (memory ran out: no file is
// to blame).
template <typename Step>
auto Catching(Step&& step) -> typename ResultOf<std::invoke_result_t<Step&>>::Type {
    using T = std::invoke_result_t<Step&>;
    try {
        if constexpr (std::is_void_v<T>) {
            step();
            return {};
        } else {
            return step();
        }
    } catch (const Failure& failure) {
        return failure.Cause();
    } catch (const std::exception&) {
        return FailureCause{};
    }
}

} // namespace notarion
