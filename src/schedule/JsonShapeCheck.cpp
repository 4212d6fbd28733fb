#include "JsonShapeCheck.h"

#include "JsonPath.h"

#include <QList>
#include <QSet>

using namespace Qt::StringLiterals;

namespace {

// One open list or object.
struct Container {
    bool object = false;
    qsizetype index = 0;      // a list's current element
    QString key;              // an object's current member
    bool expectingKey = true; // an object's next string is a key
    QSet<QString> keys;
};

// Thrown inside the walk only: the text stops making sense here, and the
// parser will say why.
struct NotJson {};

int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    throw NotJson{};
}

class ShapeWalker final {
public:
    ShapeWalker(QByteArrayView json, const JsonShapeLimits& limits)
        : m_json(json)
        , m_limits(limits) {}

    std::optional<JsonShapeProblem> walk() {
        try {
            while (m_at < m_json.size()) {
                if (const auto problem = step())
                    return problem;
                if (m_rootClosed)
                    break;
            }
        } catch (const NotJson&) {
        }
        return std::nullopt;
    }

private:
    std::optional<JsonShapeProblem> step() {
        const char c = m_json[m_at];
        switch (c) {
        case '{':
        case '[':
            if (m_open.size() >= m_limits.depth)
                return JsonShapeProblem{
                    currentPath(),
                    u"nests lists and objects more than %1 deep, deeper than any schedule"_s.arg(
                        m_limits.depth)};
            if (++m_containers > m_limits.containers)
                return JsonShapeProblem{
                    currentPath(),
                    u"the text holds more than %1 lists and objects, far more than any "
                    "schedule"_s.arg(m_limits.containers)};
            m_open.append(Container());
            m_open.last().object = c == '{';
            ++m_at;
            return std::nullopt;
        case '}':
        case ']':
            if (m_open.isEmpty() || m_open.last().object != (c == '}'))
                throw NotJson{};
            m_open.removeLast();
            m_rootClosed = m_open.isEmpty();
            ++m_at;
            return std::nullopt;
        case ',':
            if (!m_open.isEmpty()) {
                Container& container = m_open.last();
                if (container.object)
                    container.expectingKey = true;
                else
                    ++container.index;
            }
            ++m_at;
            return std::nullopt;
        case '"':
            return string();
        default:
            // Numbers, true, false, null, ':' and white space carry no shape.
            ++m_at;
            return std::nullopt;
        }
    }

    std::optional<JsonShapeProblem> string() {
        const bool isKey = !m_open.isEmpty() && m_open.last().object && m_open.last().expectingKey;
        if (!isKey) {
            skipString();
            return std::nullopt;
        }
        Container& object = m_open.last();
        object.key = key();
        object.expectingKey = false;
        if (object.keys.contains(object.key))
            return JsonShapeProblem{currentPath(),
                                    u"the key %1 appears more than once in this object; each key "
                                    "may appear only once"_s.arg(QuotedForMessage(object.key))};
        object.keys.insert(object.key);
        return std::nullopt;
    }

    void skipString() {
        for (++m_at; m_at < m_json.size(); ++m_at) {
            if (m_json[m_at] == '\\')
                ++m_at;
            else if (m_json[m_at] == '"') {
                ++m_at;
                return;
            }
        }
        throw NotJson{};
    }

    // The key with its escapes undone, as the parser will see it.
    QString key() {
        QString text;
        qsizetype plainStart = ++m_at;
        const auto flushPlain = [&] {
            text += QString::fromUtf8(m_json.sliced(plainStart, m_at - plainStart));
        };
        while (m_at < m_json.size()) {
            const char c = m_json[m_at];
            if (c == '"') {
                flushPlain();
                ++m_at;
                return text;
            }
            if (c != '\\') {
                ++m_at;
                continue;
            }
            flushPlain();
            text += escaped();
            plainStart = m_at;
        }
        throw NotJson{};
    }

    // The character of the escape at m_at, which then moves past it.
    QChar escaped() {
        if (m_at + 1 >= m_json.size())
            throw NotJson{};
        const char kind = m_json[m_at + 1];
        m_at += 2;
        switch (kind) {
        case '"':
        case '\\':
        case '/':
            return QChar::fromLatin1(kind);
        case 'b':
            return u'\b';
        case 'f':
            return u'\f';
        case 'n':
            return u'\n';
        case 'r':
            return u'\r';
        case 't':
            return u'\t';
        case 'u': {
            // A surrogate pair arrives as two escapes; each gives its half.
            if (m_at + 4 > m_json.size())
                throw NotJson{};
            char16_t unit = 0;
            for (qsizetype i = m_at; i < m_at + 4; ++i)
                unit = char16_t(unit * 16 + hexDigit(m_json[i]));
            m_at += 4;
            return QChar(unit);
        }
        default:
            throw NotJson{};
        }
    }

    // Where the walk stands: the path of the value being read.
    QString currentPath() const {
        QString path;
        for (const Container& container : m_open) {
            path = container.object ? JsonMemberPath(path, container.key)
                                    : JsonElementPath(path, container.index);
        }
        return path;
    }

    QByteArrayView m_json;
    JsonShapeLimits m_limits;
    int m_containers = 0;
    qsizetype m_at = 0;
    QList<Container> m_open;
    bool m_rootClosed = false;
};

} // namespace

std::optional<JsonShapeProblem> CheckJsonShape(QByteArrayView json, const JsonShapeLimits& limits) {
    return ShapeWalker(json, limits).walk();
}
