// Taking a photograph: at the frame's time the console is turned into a
// camera on its attachment point, the operating system copies the
// simulator's render window into the clipboard (Alt + Print Screen), and the
// picture is cut out, marked and kept on board; a blank picture is prepared
// for the reception on Earth. Three steps of the simulation, one per frame
// state: scheduled, camera set, picture requested.
#ifndef OKUL_CAMERA_PHOTOCAPTURE_H
#define OKUL_CAMERA_PHOTOCAPTURE_H

#include <OrbiterAPI.h>
#include <VesselAPI.h>

#include "FrameTable.h"

// What the camera is made of: the console vessel, its own attachment point
// (the child side, by which the host carries it) and the host spacecraft
// (null when it is missing: its point is then left alone).
struct CameraMount {
    VESSEL *console;
    ATTACHMENTHANDLE ownAttachment;
    VESSEL *host;
};

const int kPictureSize = 800;  // pixels, square
// The picture is cut from the window image at this corner, so the render
// window must be at least 976 x 832 pixels.
const int kPictureLeft = 176;
const int kPictureTop = 32;

// A scheduled frame: slows the simulation tenfold while fewer than three
// steps remain before the frame's time (at most once per step for all
// slots: accelerationCut), and at the first step past the time selects the
// bare panel 1, switches the HUD off, opens the aperture and moves the
// camera into place.
void CaptureStep1(const CameraMount &mount, FrameSlot &slot, double simdt, double mjd, bool &accelerationCut);

// The camera turned by the frame's pointing choice and optics; the window
// grab requested by the injected keys; the capture time noted.
void CaptureStep2(const CameraMount &mount, FrameSlot &slot, double mjd);

// The camera back in place, panel 0 again, and the picture cut out of the
// clipboard's window image with the overlay drawn over it (the label names
// the slot index). The frame is then on board.
void CaptureStep3(const CameraMount &mount, FrameSlot &slot, int index);

// The dark picture into which the reception paints: a new surface for the
// slot (an old one is released), or the existing one filled again.
void MakeBlankImage(FrameSlot &slot);
void FillBlankImage(SURFHANDLE image);

#endif  // OKUL_CAMERA_PHOTOCAPTURE_H
