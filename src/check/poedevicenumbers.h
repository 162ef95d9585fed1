#ifndef CHECK_POEDEVICENUMBERS_H
#define CHECK_POEDEVICENUMBERS_H

#include "check/poecheckresult.h"
#include "check/poenetwork.h"

#include <QVector>

// The devices at the end of a supply cable (a camera on a point, a point
// fed over PoE) numbered in the order of the drawing: per element, its
// record in the result's device list. Kept from one change of the drawing
// to the next: the numbers from the first element that changed on are
// worked out again, and the records move to their new numbers.
class PoeDeviceNumbers
{
public:
    // Every element's number from first on (those before keep theirs; the
    // first device there gets devicesBefore).
    void index(const PoeNetwork &network, int first, int devicesBefore);
    // An element's record, or -1 for one that is no device.
    int of(int element) const { return m_of.at(element); }
    int count() const { return m_count; }
    // The number of the first device from element first on; count() for none.
    int firstFrom(int first) const;
    // The numbers and the records from element first on carried over a
    // change of shape.
    void reshape(const PoeNetwork &network, const PoeNetwork::Reshaped &reshaped, int first, int devicesBefore,
                 QVector<PoeCheckResult::Device> &devices);

private:
    QVector<int> recordsWere(const PoeNetwork &network, const PoeNetwork::Reshaped &reshaped, int first,
                             int devicesBefore);
    QVector<int> renumber(const PoeNetwork &network, const PoeNetwork::Reshaped &reshaped, int first,
                          int devicesBefore);
    static void move(QVector<PoeCheckResult::Device> &devices, const QVector<int> &was, int first, bool inOrder);

    QVector<int> m_of; // per element
    QVector<int> m_died; // records of cameras that left a hole now
    bool m_recordsMove = false; // some kept record has another number now
    int m_count = 0;
};

#endif // CHECK_POEDEVICENUMBERS_H
