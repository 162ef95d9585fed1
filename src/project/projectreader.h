#ifndef PROJECT_PROJECTREADER_H
#define PROJECT_PROJECTREADER_H

#include <QCoreApplication>
#include <QHash>
#include <QList>
#include <QSet>
#include <QSize>
#include <QString>
#include <QXmlStreamReader>

class DiagramItem;
class ProjectDoc;
class QIODevice;
class QtnPropertyUInt;

// Reads a MOX project document into a drawing sheet: items and wires are
// added to the scene, the texts and colours go to the project set, the two
// images to the sheet. What the scene already holds stays; emptying it first
// is the caller's business.
//
// Files are edited by hand and arrive damaged, so the reader is tolerant
// where damage is local (unknown elements, unreadable numbers, unknown model
// names, wires to missing items) and stops with the XML reader's error where
// the document itself is broken. Items read before an error stay in the scene.
class ProjectReader
{
    Q_DECLARE_TR_FUNCTIONS(ProjectReader)

public:
    explicit ProjectReader(ProjectDoc *doc);

    // True when the whole document was read without an XML error.
    bool read(QIODevice *device);
    // The error text, line and column: "%1\nLine %2, column %3".
    QString errorString() const;
    // The size of a logo or background left out for being too large
    // (ProjectImageCodec's rule); invalid when none was.
    QSize refusedImageSize() const { return m_refusedImageSize; }

private:
    void readMox();
    void readProject();
    void readItem(int diagramType);
    void readPdParameter(DiagramItem *item);
    void readCameraParameter(DiagramItem *item);
    void readWire();

    QString readText();
    bool readYes();
    int readInt();
    uint readUInt();
    void readSetting(QtnPropertyUInt &setting);

    void rememberItem(DiagramItem *item);
    DiagramItem *findItem(int fileId);

    ProjectDoc *m_doc;
    QXmlStreamReader m_xml;
    // File id -> diagram items of the scene carrying it, so a wire finds its
    // ends without a scan of the whole scene; a project of thousands of
    // cameras would otherwise load in quadratic time.
    QHash<int, QList<DiagramItem *>> m_itemsById;
    // Stacking ranks used only to settle duplicate ids; rebuilt on demand
    // after new items were added.
    QHash<const DiagramItem *, int> m_stackRank;
    bool m_stackRankValid = false;
    QSize m_refusedImageSize;
    // Items that got wires in this read, in the order they got the first.
    QSet<DiagramItem *> m_wiredItems;
    QList<DiagramItem *> m_wiredOrder;
};

#endif // PROJECT_PROJECTREADER_H
