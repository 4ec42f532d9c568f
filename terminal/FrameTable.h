// The film cassette of the spacecraft's camera: 32 frames, each a photograph
// to be taken at a given time, kept on board and later sent to Earth column
// by column. Slots are used in order and never freed.
#ifndef OKUL_TERMINAL_FRAMETABLE_H
#define OKUL_TERMINAL_FRAMETABLE_H

#include <OrbiterAPI.h>

// The life of a frame: 0, 1, 2, 3, 4, 5, 6, and 6, 41, 5, 6 for each
// retransmission. The numbers are those the photo panel shows after "Стат".
enum FrameState {
    kFrameEmpty = 0,             // slot not used yet
    kFrameScheduled = 1,         // photograph scheduled, waiting for `time`
    kFrameCameraSet = 2,         // camera turned, the window grab requested next
    kFramePictureRequested = 3,  // grab made, the picture is cut out next
    kFrameOnBoard = 4,           // picture on board, not sent (`image` blank, `scanColumn` 800)
    kFrameTransmitting = 5,      // transmission scheduled for `transmitTime`, then under way
    kFrameTransmitted = 6,       // the whole picture has arrived on Earth
    kFrameResend = 41            // transmission requested again for a transmitted frame
};

struct FrameSlot {
    int state;            // a FrameState
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

    // Takes the next unused slot for a photograph due at `time`: scheduled,
    // parameters zero. Returns the slot (so a caller may set its parameters),
    // or null when all 32 frames are used.
    FrameSlot *Schedule(double time);

    FrameSlot slots[kSlotCount];
    int frameCount;     // slots in use, 0 to 32
    int selectedFrame;  // frame shown on the photo panel, 0 to 30
};

#endif  // OKUL_TERMINAL_FRAMETABLE_H
