#include "RecordPosition.h"

using namespace Qt::StringLiterals;

QString RecordPosition::describe() const {
    switch (part) {
    case Part::Header:
        return u"the header"_s;
    case Part::KeyBlock:
        return u"the key block"_s;
    case Part::BasicMarker:
        return u"the basic list marker"_s;
    case Part::BasicEntry:
        return u"basic entry %1"_s.arg(entry + 1);
    case Part::AdvanceEntry:
        return u"advance entry %1"_s.arg(entry + 1);
    case Part::Detail:
        return u"detail %1 of advance entry %2"_s.arg(detail + 1).arg(entry + 1);
    }
    return {};
}
