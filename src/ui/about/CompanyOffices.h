#pragma once

#include <QString>
#include <array>

// The maker's three offices as the About Company window shows them.
struct CompanyOffice {
    QString labelPrefix; // "Morva", "MorvaJap", "MorvaUSA": names the labels
    QString companyName;
    QString webAddress;   // begins with http://
    QString emailAddress; // opened as mailto:...
    QString postalAddress;
    QString telephone;
};

const std::array<CompanyOffice, 3>& CompanyOffices();

QString WebLink(const CompanyOffice& office);
QString EmailLink(const CompanyOffice& office);
