// The film cassette of the spacecraft's camera: 32 frames, each a photograph
// to be taken at a given time, kept on board and later sent to Earth column
// by column. Slots are used in order and never freed.
//
// Frame states:
//   0  empty slot
//   1  photograph scheduled, waiting for `time`
//   2, 3  photograph being taken
//   4  picture on board, not sent (`image` blank, `scanColumn` 800)
//   5  transmission scheduled for `transmitTime`, then under way
//   6  transmitted
//   41 transmission requested again for an already transmitted frame
#ifndef OKUL_TERMINAL_FRAMETABLE_H
#define OKUL_TERMINAL_FRAMETABLE_H

#include <OrbiterAPI.h>

struct FrameSlot {
    int state;            // frame state (see above)
    double time;          // MJD the photograph is due; the actual capture time once taken
    double transmitTime;  // MJD its transmission is to start
    SURFHANDLE image;     // 800 x 800, the picture as received on Earth
    SURFHANDLE rawImage;  // 800 x 800, the picture taken on board
    int scanColumn;       // next column to paint during transmission (800 at its start)
    double paramA[3];     // pointing choice, colour channel, optics
    double paramB[3];     // paramB[0]: receiver mode
    int dropoutRun;       // noise state of the transmission
};

class FrameTable {
public:
    static const int kSlotCount = 32;

    FrameTable();
    // Releases the slots' drawing surfaces.
    ~FrameTable();
    FrameTable(const FrameTable &) = delete;
    FrameTable &operator=(const FrameTable &) = delete;

    // Takes the next unused slot for a photograph due at `time`: state 1,
    // parameters zero. Returns the slot (so a caller may set its parameters),
    // or null when all 32 frames are used.
    FrameSlot *Schedule(double time);

    FrameSlot slots[kSlotCount];
    int frameCount;     // slots in use, 0 to 32
    int selectedFrame;  // frame shown on the photo panel, 0 to 30
};

#endif  // OKUL_TERMINAL_FRAMETABLE_H
