#ifndef PROJECT_PROJECTWRITER_H
#define PROJECT_PROJECTWRITER_H

#include <QXmlStreamWriter>

class DiagramItem;
class ProjectDoc;
class QIODevice;
class Wire;

// Writes a drawing sheet as a MOX project document: the project's texts,
// colours and two images, then every distribution point, every camera and
// every wire. The only change it makes to the scene is the file id of each
// diagram item, which the wires refer to.
class ProjectWriter
{
public:
    explicit ProjectWriter(ProjectDoc *doc);

    // Writes the whole document to an open device. The writer has no failure
    // of its own; false means the device refused bytes (disk full, closed
    // device), so the caller must not trust what reached it.
    bool write(QIODevice *device);

private:
    void writeProject();
    void writePd(const DiagramItem *item);
    void writeCamera(const DiagramItem *item);
    void writeWire(const Wire *wire);
    void writeItemAttributes(const DiagramItem *item);
    void writeText(const QString &name, const QString &text);
    void writeYesNo(const QString &name, bool yes);

    ProjectDoc *m_doc;
    QXmlStreamWriter m_xml;
};

#endif // PROJECT_PROJECTWRITER_H
