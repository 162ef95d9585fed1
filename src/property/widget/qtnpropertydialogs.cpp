#include "property/widget/qtnpropertydialogs.h"

#include <QColorDialog>
#include <QFontDialog>

static QColor defaultGetColor(const QColor& initial, QWidget* parent, const QString& title)
{
    return QColorDialog::getColor(initial, parent, title, QColorDialog::ShowAlphaChannel);
}

static QFont defaultGetFont(bool* ok, const QFont& initial, QWidget* parent, const QString& title)
{
    return QFontDialog::getFont(ok, initial, parent, title);
}

static QStringList defaultGetFileNames(const QString& initialPath, const QtnFileDialogOptions& options,
                                       QWidget* parent, const QString& title)
{
    QFileDialog dialog(parent, title, initialPath);
    dialog.setAcceptMode(options.acceptMode);
    dialog.setFileMode(options.fileMode);
    dialog.setViewMode(options.viewMode);
    dialog.setOptions(options.options);
    if (!options.defaultSuffix.isEmpty())
        dialog.setDefaultSuffix(options.defaultSuffix);
    if (!options.nameFilters.isEmpty())
        dialog.setNameFilters(options.nameFilters);
    else if (!options.nameFilter.isEmpty())
        dialog.setNameFilter(options.nameFilter);
    if (!initialPath.isEmpty())
        dialog.selectFile(initialPath);
    if (dialog.exec() != QDialog::Accepted)
        return QStringList();
    return dialog.selectedFiles();
}

std::function<QColor(const QColor&, QWidget*, const QString&)> QtnPropertyDialogs::getColor = defaultGetColor;
std::function<QFont(bool*, const QFont&, QWidget*, const QString&)> QtnPropertyDialogs::getFont = defaultGetFont;
std::function<QStringList(const QString&, const QtnFileDialogOptions&, QWidget*, const QString&)>
    QtnPropertyDialogs::getFileNames = defaultGetFileNames;

void QtnPropertyDialogs::restoreDefaults()
{
    getColor = defaultGetColor;
    getFont = defaultGetFont;
    getFileNames = defaultGetFileNames;
}
