#ifndef QTN_PROPERTY_DIALOGS_H
#define QTN_PROPERTY_DIALOGS_H

#include <QColor>
#include <QFileDialog>
#include <QFont>
#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

// Settings of the file dialog opened by a file-name editor.
struct QtnFileDialogOptions
{
    QFileDialog::AcceptMode acceptMode = QFileDialog::AcceptOpen;
    QFileDialog::FileMode fileMode = QFileDialog::AnyFile;
    QFileDialog::ViewMode viewMode = QFileDialog::Detail;
    QFileDialog::Options options;
    QString defaultSuffix;
    QString nameFilter;
    QStringList nameFilters;
};

// The modal dialogs that editor buttons open. The application or a test
// replaces these functions; nothing else in the view opens a dialog.
class QtnPropertyDialogs
{
public:
    // Returns an invalid colour when the user cancels.
    static std::function<QColor(const QColor& initial, QWidget* parent, const QString& title)> getColor;
    // Sets *ok to false when the user cancels.
    static std::function<QFont(bool* ok, const QFont& initial, QWidget* parent, const QString& title)> getFont;
    // Returns the chosen paths, empty when the user cancels.
    static std::function<QStringList(const QString& initialPath, const QtnFileDialogOptions& options,
                                     QWidget* parent, const QString& title)>
        getFileNames;

    // Puts the real dialogs back.
    static void restoreDefaults();
};

#endif // QTN_PROPERTY_DIALOGS_H
