#pragma once

#include <QString>
#include <optional>
#include <utility>

// Why an operation failed, in words for the user. It converts to a failed
// Result of any type: return Failure{reason};
struct Failure {
    QString error;
};

// What an operation that can fail hands back: its value, or why it failed.
// The part of std::expected (C++23) that the program needs. A failure type
// other than Failure carries more than words (a byte offset, a JSON path) and
// has an error member with the words.
template <typename T, typename E = Failure> class Result {
public:
    Result(T value)
        : m_value(std::move(value)) {}
    Result(E failure)
        : m_failure(std::move(failure)) {}

    bool ok() const { return m_value.has_value(); }
    explicit operator bool() const { return ok(); }
    // Only when ok().
    const T& value() const& { return *m_value; }
    T&& value() && { return std::move(*m_value); }
    const T* operator->() const { return &*m_value; }
    T* operator->() { return &*m_value; }
    // Empty when ok().
    const QString& error() const { return m_failure.error; }
    const E& failure() const { return m_failure; }

private:
    std::optional<T> m_value;
    E m_failure;
};

// For operations that hand back nothing but success.
template <> class Result<void> {
public:
    Result() = default;
    Result(Failure failure)
        : m_ok(false)
        , m_error(std::move(failure.error)) {}

    bool ok() const { return m_ok; }
    explicit operator bool() const { return ok(); }
    const QString& error() const { return m_error; }

private:
    bool m_ok = true;
    QString m_error;
};
