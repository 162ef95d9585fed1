#ifndef CHECKFIXTURE_H
#define CHECKFIXTURE_H

// What the PoE check's tests share: the cable types of their catalogue (one
// per gauge the check knows, and a patch cord thinner than any of them) and
// the texts of one severity.
#include "check/poecheck.h"
#include "testcatalogue.h"

#include <QStringList>

namespace checkfixture {

const QString kCat5e = QStringLiteral("UTP kat.5E");
const QString kCat6 = QStringLiteral("UTP kat.6");
const QString kCat6a = QStringLiteral("UTP kat.6A");
const QString kPatch26 = QStringLiteral("Patch 26 AWG");

inline bool createCatalogue(TestCatalogue &catalogue, const QList<TestCatalogue::Pd> &pds = {})
{
    return catalogue.createWithCables({}, pds, {{kCat5e, 24}, {kCat6, 23}, {kCat6a, 22}, {kPatch26, 26}});
}

inline QStringList textsOf(const PoeCheckResult &result, PoeFinding::Severity severity)
{
    QStringList texts;
    for (const PoeFinding &finding : result.findings) {
        if (finding.severity == severity)
            texts << finding.text;
    }
    return texts;
}

} // namespace checkfixture

#endif // CHECKFIXTURE_H
