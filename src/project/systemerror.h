#ifndef PROJECT_SYSTEMERROR_H
#define PROJECT_SYSTEMERROR_H

#include <QString>

// The text the operating system gives for a failed file operation ("No
// space left on device", "Read-only file system", "Is a directory"). That is
// what a user can act on; the toolkit's own texts for the same failures
// ("Existing file ... is not writable", "Unknown error") hide the cause.
class SystemError
{
public:
    // The system's text for an error number, in the system's language.
    static QString text(int errorNumber);

    // Why a project file cannot be opened for reading. The file system is
    // asked again with the plain system calls, so the answer is the errno of
    // the refusal, not the toolkit's paraphrase; fallback when the file
    // system no longer refuses (the cause went away meanwhile).
    static QString ofReading(const QString &path, const QString &fallback);
    // The same for writing a file at path through a temporary file beside
    // it: the target itself, then its folder.
    static QString ofWriting(const QString &path, const QString &fallback);
};

#endif // PROJECT_SYSTEMERROR_H
