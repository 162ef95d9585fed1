#ifndef FUZZSUPPORT_H
#define FUZZSUPPORT_H

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

// What every harness under tests/fuzz shares. A harness defines
// LLVMFuzzerTestOneInput; built with MOX_FUZZ it is a libFuzzer fuzzer,
// otherwise fuzzreplaymain.cpp runs it once over every file of a corpus.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

namespace fuzz {

// The application object (offscreen, images registered) on first use. Debug
// and warning output is dropped: the code under test logs every damaged
// input, and printing it would cost more than the run.
void ensureApplication();

// An oracle found a fault: says what on stderr and aborts, so that libFuzzer
// keeps the input and a replay fails.
[[noreturn]] void fail(const QString &what);

// The text with every character outside printable ASCII as \uXXXX, for
// messages about texts that hold anything.
QString visible(const QString &text);

inline QByteArray bytes(const uint8_t *data, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), int(size));
}

} // namespace fuzz

#endif // FUZZSUPPORT_H
