#ifndef DIAGRAM_DIAGRAMITEM_H
#define DIAGRAM_DIAGRAMITEM_H

#include <QColor>
#include <QFont>
#include <QGraphicsRectItem>
#include <QImage>
#include <QList>
#include <QPixmap>
#include <QString>

#include <functional>
#include <memory>

class QMenu;
class QGraphicsSceneContextMenuEvent;
class QtnPropertySet;
class QtnPropertySetCamera;
class QtnPropertySetPD;
class Wire;

// One node of the schematic: a camera or a distribution point. The item
// draws its icon and texts, keeps the wires that end at it sorted by their
// direction, and owns the property set that holds every device parameter;
// the accessors below read and write that set, nothing is cached here.
class DiagramItem : public QGraphicsRectItem
{
public:
    enum { Type = UserType + 15 };
    enum DiagramType { Camera, PD };

    // Runs the model selection of a distribution point. Installed by the
    // calculation layer, which sits above this one.
    using ModelSelector = std::function<void(DiagramItem *)>;

    DiagramItem(DiagramType diagramType, QMenu *contextMenu, QGraphicsItem *parent = nullptr);
    ~DiagramItem() override;

    QRectF boundingRect() const override;
    QPainterPath shape() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget = nullptr) override;
    int type() const override { return Type; }

    // Wire list.
    void addWire(Wire *wire);
    // Adds a wire without sorting the list or placing the wires again; for
    // many wires at once, after which one updateWires() does both.
    void appendWire(Wire *wire)
    {
        m_wires.append(wire);
        wiresChanged();
    }
    void removeWire(Wire *wire);
    void removeWires();
    // Tells the scene that the routes of this item's wires (and of also)
    // are about to change: before its wire list does.
    void rerouteWires(Wire *also = nullptr);
    void updateWires();
    int wireIndex(Wire *wire) const;
    DiagramItem *otherPd(Wire *wire) const;
    const QList<Wire *> &wires() const { return m_wires; }
    // Hands the whole wire list to the caller and leaves the item without
    // wires (used when the wires of a point are spread over new points).
    QList<Wire *> takeWires();

    // Kind, look and geometry.
    DiagramType diagramType() const { return m_diagramType; }
    QMenu *contextMenu() const { return m_contextMenu; }
    void setContextMenu(QMenu *contextMenu);
    QPixmap image() const;
    const QImage &iconImage() const { return m_image; }
    int rotation() const { return m_rotation; }
    void setRotation(int angle);
    void rotateRight();
    void rotateLeft();
    void hideDescription();
    void showDescription();
    bool descriptionsHidden() const { return m_descriptionsHidden; }
    void setExtenderRequired(bool required);
    bool extenderRequired() const { return m_extenderRequired; }
    QRectF computeRect() const;
    QColor color() const { return m_color; }
    void setColor(const QColor &color);
    QString typePrefix() const { return m_typePrefix; }
    // The number label: the prefix alone, or the prefix, a blank and the number.
    QString numberText() const;
    // The icon with its pure black pixels in the given colour.
    QImage recolouredImage(const QColor &color) const;
    static QImage recoloured(const QImage &icon, const QColor &color);

    // Flags of the calculation and of the model selection.
    bool lowVoltage() const { return m_lowVoltage; }
    void setLowVoltage(bool low) { setState(m_lowVoltage, low); }
    bool modelMissing() const { return m_modelMissing; }
    void setModelMissing(bool missing) { setState(m_modelMissing, missing); }
    bool slotOverflow() const { return m_slotOverflow; }
    void setSlotOverflow(bool overflow) { setState(m_slotOverflow, overflow); }
    QString lastModelText() const { return m_lastModelText; }
    void setLastModelText(const QString &text) { setState(m_lastModelText, text); }
    // The tool tip (why a point has no model) is read back by the next model
    // selection: it belongs to the item's state and is set through here,
    // not through QGraphicsItem::setToolTip, which this hides.
    void setToolTip(const QString &toolTip);
    // A stamp that moves on whenever the item's own state changes: the flags
    // above, the remembered model text, the tool tip, the wire list or its
    // order. Drawn from one count for all items, so no two items share one
    // and lastStateRevision() tells whether any item changed since.
    quint64 stateRevision() const { return m_stateRevision; }
    static quint64 lastStateRevision() { return s_lastStateRevision; }
    bool lowVoltageShown() const { return m_lowVoltageShown; }
    // The PoE check's mark: an orange frame around a device it found an
    // error on, set (and cleared) by whoever shows the check.
    bool poeCheckMark() const { return m_poeCheckMark; }
    void setPoeCheckMark(bool marked) { m_poeCheckMark = marked; }
    bool pcShown() const { return m_pcShown; }
    bool nvrShown() const { return m_nvrShown; }
    // Asks for a repaint when what the item shows from its set and its flags
    // (number, texts, side labels, red marks) differs from what it showed
    // when last asked; a change that shows nowhere (a voltage, a result)
    // asks for none. While its set's revision stands only the flags are
    // compared. The look set through the item itself (colour, turn, hidden
    // descriptions, the PoE check's mark) repaints as it is set.
    void updateIfShownChanged();

    // Power and data trees, filled by the calculation.
    QList<DiagramItem *> &powerFeeder() { return m_powerFeeder; }
    QList<DiagramItem *> &powerDependants() { return m_powerDependants; }
    QList<DiagramItem *> &dataUplink() { return m_dataUplink; }
    QList<DiagramItem *> &dataDependants() { return m_dataDependants; }
    const QList<DiagramItem *> &powerFeeder() const { return m_powerFeeder; }
    const QList<DiagramItem *> &powerDependants() const { return m_powerDependants; }
    const QList<DiagramItem *> &dataUplink() const { return m_dataUplink; }
    const QList<DiagramItem *> &dataDependants() const { return m_dataDependants; }

    // The owned property set; the typed getters return null for the other kind.
    QtnPropertySet *propertySet() const;
    QtnPropertySetCamera *cameraSet() const;
    QtnPropertySetPD *pdSet() const;

    // Property accessors. Setters go through the properties' value setters,
    // so the set announces every change.
    uint number() const;
    void setNumber(uint number);
    QString location() const;
    void setLocation(const QString &location);
    QString modelName() const;
    void setModel(const QString &name);
    uint power() const;
    void setPower(uint power);
    int bitrate() const;
    void setBitrate(int bitrate);
    double vin() const;
    void setVin(double vin);
    double vout() const;
    void setVout(double vout);
    bool hasPc() const;
    void setPc(bool on);
    bool hasNvr() const;
    void setNvr(bool on);
    bool hasPower230() const;
    void setPower230(bool on);
    bool hasBackup() const;
    void setBackup(bool on);
    bool calculateAccumulator() const;
    void setCalculateAccumulator(bool on);
    uint accumulatorCapacity() const;
    void setAccumulatorCapacity(uint capacity);
    uint backupHours() const;
    void setBackupHours(uint hours);
    QString boxTypeName() const;
    void setBoxType(const QString &name);

    // Network operations. totalPower, totalBitrate, linkPowerTree and
    // linkDataTree walk the network and are defined by the calculation layer.
    int usedSlots() const;
    int totalPower() const;
    int totalBitrate() const;
    bool linkPowerTree();
    bool linkDataTree();
    void refreshLists();
    void selectModel();
    static void setModelSelector(ModelSelector selector);
    static bool hasModelSelector();
    // Moves on whenever a diagram item enters or leaves a scene, is
    // destroyed, or changes its stacking: the scene's order of diagram
    // items is the same as long as this number is.
    static quint64 stackingRevision() { return s_stackingRevision; }
    // Moves on whenever the wire list of any item changes (a cable drawn,
    // taken away or re-attached, or the list sorted into another order):
    // who joins whom, in the order the trees are built, is the same as long
    // as this number and the stacking revision are.
    static quint64 wiringRevision() { return s_wiringRevision; }
    // Moves on whenever a build of the trees leaves some point with another
    // feeder or uplink (the first of its list) than it had: as long as this
    // number stands, every point stands where it stood in both trees, and a
    // reader need not look at each of them to know.
    static quint64 treesRevision() { return s_treesRevision; }
    static void noteTreesChanged() { ++s_treesRevision; }
    // The wiring revision at which this item's own wire list last changed
    // (or one of its wires was re-attached at either end), or the item was
    // made: a reader that remembers the revision it saw finds the items
    // whose wiring moved on since without comparing lists.
    quint64 wiringStamp() const { return m_wiringStamp; }
    void noteOwnWiringChanged()
    {
        m_wiringStamp = ++s_wiringRevision;
        noteWiring();
    }
    // Calls visit(address, serial) for every item whose wiring moved on
    // after the revision, oldest first (an item may come more than once):
    // every move of the revision is logged and the last WiringLogSize kept,
    // so a reader finds what changed without looking at every item. The
    // address may no longer hold that item: compare the serial before
    // using it. False, and nothing visited, when the log no longer reaches
    // back that far.
    template <typename Visit>
    static bool wiringSince(quint64 revision, Visit visit)
    {
        if (revision > s_wiringRevision || s_wiringRevision - revision > quint64(WiringLogSize))
            return false;
        for (quint64 stamp = revision + 1; stamp <= s_wiringRevision; ++stamp) {
            const WiringNote &note = s_wiringLog[stamp % WiringLogSize];
            visit(note.item, note.serial);
        }
        return true;
    }
    // No other item made in this run has this number, although another may
    // later live at this item's address.
    quint64 serial() const { return m_serial; }

    // The item's number in the project file; only the file reader and writer use it.
    int fileId = 0;

    // What the calculation layer keeps about the item from one pass to the
    // next (the model selection remembers what it saw and what it left);
    // owned by the item, opaque to it.
    class CalcMemo
    {
    public:
        virtual ~CalcMemo() = default;
    };
    CalcMemo *calcMemo() const { return m_calcMemo.get(); }
    void setCalcMemo(std::unique_ptr<CalcMemo> memo) { m_calcMemo = std::move(memo); }

protected:
    void contextMenuEvent(QGraphicsSceneContextMenuEvent *event) override;
    QVariant itemChange(GraphicsItemChange change, const QVariant &value) override;

private:
    template <typename T>
    void setState(T &member, const T &value)
    {
        if (member == value)
            return;
        member = value;
        m_stateRevision = ++s_lastStateRevision;
    }
    void wiresChanged()
    {
        noteOwnWiringChanged();
        m_stateRevision = ++s_lastStateRevision;
    }
    void drawSideLabel(QPainter *painter, const QString &text, bool rightSide, bool condition,
                       bool &shownFlag);

    QFont m_locationFont;
    QFont m_labelFont;
    QFont m_modelFont;
    QRectF m_rect;
    QColor m_color;
    int m_rotation = 0;
    bool m_lowVoltage = false;
    bool m_modelMissing = false;
    DiagramType m_diagramType;
    QMenu *m_contextMenu = nullptr;
    QString m_typePrefix;
    QImage m_image;
    QtnPropertySet *m_propertySet = nullptr;
    bool m_extenderRequired = false;
    bool m_descriptionsHidden = false;
    bool m_slotOverflow = false;
    QString m_lastModelText;
    bool m_lowVoltageShown = false;
    bool m_pcShown = false;
    bool m_nvrShown = false;
    QList<Wire *> m_wires;
    QList<DiagramItem *> m_powerFeeder;
    QList<DiagramItem *> m_powerDependants;
    QList<DiagramItem *> m_dataUplink;
    QList<DiagramItem *> m_dataDependants;
    std::unique_ptr<CalcMemo> m_calcMemo;
    bool m_poeCheckMark = false;
    quint64 m_wiringStamp;
    const quint64 m_serial;
    quint64 m_stateRevision = ++s_lastStateRevision;
    // What updateIfShownChanged saw last.
    struct Shown {
        quint64 revision = 0;
        uint number = 0;
        QString location;
        QString model;
        int marks = -1;
    } m_shown;

    static ModelSelector s_modelSelector;
    static quint64 s_stackingRevision;
    static quint64 s_wiringRevision;
    static quint64 s_treesRevision;
    static quint64 s_serials;

    // The log of the wiring revision: the note of stamp s at s % WiringLogSize.
    struct WiringNote
    {
        const DiagramItem *item = nullptr;
        quint64 serial = 0;
    };
    // A few hundred: an edit moves it by a handful, a paste or a reading
    // of a file by more than is worth following.
    static constexpr int WiringLogSize = 256;
    static WiringNote s_wiringLog[WiringLogSize];
    void noteWiring() { s_wiringLog[m_wiringStamp % WiringLogSize] = {this, m_serial}; }
    static quint64 s_lastStateRevision;
};

#endif // DIAGRAM_DIAGRAMITEM_H
