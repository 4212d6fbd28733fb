#include "CompanyOffices.h"

using namespace Qt::StringLiterals;

const std::array<CompanyOffice, 3>& CompanyOffices() {
    // Head office first, then Japan, then the USA.
    static const std::array<CompanyOffice, 3> offices = {{
        {u"Morva"_s, u"Morva Media Systems Ltd."_s, u"http://www.example.com/"_s,
         u"info@example.com"_s, u"12 Harbour Lane, Eastport EP1 2AB"_s,
         u"Tel: +1-555-0100   Fax: +1-555-0101"_s},
        {u"MorvaJap"_s, u"Morva Japan K.K."_s, u"http://www.example.jp/"_s, u"support@example.jp"_s,
         u"3-4-5 Minato-dori, Sample City, 100-0000 Japan"_s,
         u"Tel: +81-3-0000-0100   Fax: +81-3-0000-0101"_s},
        {u"MorvaUSA"_s, u"Morva Media USA Inc."_s, u"http://www.example.org/"_s,
         u"sales@example.org"_s, u"200 Example Avenue, Suite 10, Springfield, ST 00000 USA"_s,
         u"Tel: +1-555-0150   Fax: +1-555-0151"_s},
    }};
    return offices;
}

QString WebLink(const CompanyOffice& office) {
    return office.webAddress;
}

QString EmailLink(const CompanyOffice& office) {
    return u"mailto:"_s + office.emailAddress;
}
