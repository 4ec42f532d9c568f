// Orbiter 2006 programming interface: types, constants and oapi functions.
// Declarations only; on Linux the headless simulator (libOrbiter) implements
// them, on Windows the simulator executable does.
#ifndef __ORBITERAPI_H
#define __ORBITERAPI_H

#include <windows.h>
#include <math.h>

#if defined(_WIN32)
#define DLLEXPORT __declspec(dllexport)
#define DLLIMPORT __declspec(dllimport)
#else
#define DLLEXPORT __attribute__((visibility("default")))
#define DLLIMPORT __attribute__((visibility("default")))
#endif

#ifdef OAPI_IMPLEMENTATION
#define OAPIFUNC DLLEXPORT
#else
#define OAPIFUNC DLLIMPORT
#endif

#define DLLCLBK extern "C" DLLEXPORT

// ======================================================================
// Constants
// ======================================================================
const double PI = 3.14159265358979323846;
const double PI05 = 1.57079632679489661923;
const double PI2 = 6.28318530717958647692;
const double RAD = PI / 180.0;
const double DEG = 180.0 / PI;
const double C0 = 299792458.0;       // speed of light [m/s]
const double TAUA = 499.004783806;   // light time for 1 AU [s]
const double AU = C0 * TAUA;         // astronomical unit [m]
const double GGRAV = 6.67259e-11;    // gravitational constant [m^3 kg^-1 s^-2]
const double G = 9.81;               // gravitational acceleration [m/s^2] at Earth mean radius
const double ATMP = 101.4e3;         // atmospheric pressure [Pa] at Earth sea level
const double ATMD = 1.293;           // atmospheric density [kg/m^3] at Earth sea level

// ======================================================================
// Handles and basic types
// ======================================================================
typedef void *OBJHANDLE;
typedef void *VISHANDLE;
typedef void *MESHHANDLE;
typedef void *SURFHANDLE;
typedef void *FILEHANDLE;
typedef void *THRUSTER_HANDLE;
typedef void *THGROUP_HANDLE;
typedef void *PROPELLANT_HANDLE;
typedef void *ATTACHMENTHANDLE;
typedef void *DOCKHANDLE;
typedef void *AIRFOILHANDLE;
typedef void *CTRLSURFHANDLE;
typedef void *NOTEHANDLE;

typedef union {
    double data[3];
    struct {
        double x, y, z;
    };
} VECTOR3;

typedef union {
    double data[9];
    struct {
        double m11, m12, m13, m21, m22, m23, m31, m32, m33;
    };
} MATRIX3;

typedef struct {
    VECTOR3 rpos;     // position relative to rbody in ecliptic frame [m]
    VECTOR3 rvel;     // velocity relative to rbody in ecliptic frame [m/s]
    VECTOR3 vrot;     // rotation velocity about principal axes [rad/s]
    VECTOR3 arot;     // vessel orientation against ecliptic frame
    double fuel;      // fuel level [0..1]
    double eng_main;  // main engine setting [-1..1]
    double eng_hovr;  // hover engine setting [0..1]
    OBJHANDLE rbody;  // reference body handle
    OBJHANDLE base;   // base handle (landed only)
    int port;         // port index (landed only)
    int status;       // 0 = freeflight, 1 = landed
    VECTOR3 vdata[10];  // vdata[0]: landed longitude, latitude, heading
    double fdata[10];
    DWORD flag[10];
} VESSELSTATUS;

typedef struct {
    RECT pos;
    int nbt_left, nbt_right;
    int bt_yofs, bt_ydist;
} MFDSPEC;

// What clbkDrawHUD may draw on.
typedef struct {
    int W, H;            // HUD size [pixels]
    int CX, CY;          // the HUD's centre
    double Scale;        // pixels per degree
    int Markersize;
} HUDPAINTSPEC;

typedef enum {
    THGROUP_MAIN,
    THGROUP_RETRO,
    THGROUP_HOVER,
    THGROUP_ATT_PITCHUP,
    THGROUP_ATT_PITCHDOWN,
    THGROUP_ATT_YAWLEFT,
    THGROUP_ATT_YAWRIGHT,
    THGROUP_ATT_BANKLEFT,
    THGROUP_ATT_BANKRIGHT,
    THGROUP_ATT_RIGHT,
    THGROUP_ATT_LEFT,
    THGROUP_ATT_UP,
    THGROUP_ATT_DOWN,
    THGROUP_ATT_FORWARD,
    THGROUP_ATT_BACK,
    THGROUP_USER = 0x40
} THGROUP_TYPE;

typedef struct {
    VECTOR3 pos, dir;
    double maxth0;
    double isp0;
} THRUSTERSPEC;

// ======================================================================
// Panels, MFDs, HUD
// ======================================================================
#define PANEL_REDRAW_NEVER 0
#define PANEL_REDRAW_ALWAYS 1
#define PANEL_REDRAW_MOUSE 2
#define PANEL_REDRAW_INIT 3
#define PANEL_REDRAW_USER 4

#define PANEL_MOUSE_IGNORE 0
#define PANEL_MOUSE_LBDOWN 1
#define PANEL_MOUSE_RBDOWN 2
#define PANEL_MOUSE_LBUP 4
#define PANEL_MOUSE_RBUP 8
#define PANEL_MOUSE_LBPRESSED 0x10
#define PANEL_MOUSE_RBPRESSED 0x20
#define PANEL_MOUSE_DOWN 3
#define PANEL_MOUSE_UP 0x0C
#define PANEL_MOUSE_PRESSED 0x30
#define PANEL_MOUSE_ONREPLAY 0x40

#define PANEL_MAP_NONE 0
#define PANEL_MAP_BACKGROUND 1
#define PANEL_MAP_CURRENT 2
#define PANEL_MAP_BGONREQUEST 3

#define PANEL_ATTACH_BOTTOM 0x0001
#define PANEL_ATTACH_TOP 0x0002
#define PANEL_ATTACH_LEFT 0x0004
#define PANEL_ATTACH_RIGHT 0x0008
#define PANEL_MOVEOUT_BOTTOM 0x0010
#define PANEL_MOVEOUT_TOP 0x0020
#define PANEL_MOVEOUT_LEFT 0x0040
#define PANEL_MOVEOUT_RIGHT 0x0080

#define MAXMFD 12
#define MFD_LEFT 0
#define MFD_RIGHT 1
#define MFD_USER1 2

#define MFD_NONE 0
#define MFD_ORBIT 1
#define MFD_SURFACE 2
#define MFD_MAP 3
#define MFD_HSI 4
#define MFD_LANDING 5
#define MFD_DOCKING 6
#define MFD_OPLANEALIGN 7
#define MFD_OSYNC 8
#define MFD_TRANSFER 9
#define MFD_COMMS 10
#define MFD_USERTYPE 64

#define HUD_NONE 0
#define HUD_ORBIT 1
#define HUD_SURFACE 2
#define HUD_DOCKING 3

// ======================================================================
// Keyboard scan codes
// ======================================================================
#define OAPI_KEY_ESCAPE 0x01
#define OAPI_KEY_1 0x02
#define OAPI_KEY_2 0x03
#define OAPI_KEY_3 0x04
#define OAPI_KEY_4 0x05
#define OAPI_KEY_5 0x06
#define OAPI_KEY_6 0x07
#define OAPI_KEY_7 0x08
#define OAPI_KEY_8 0x09
#define OAPI_KEY_9 0x0A
#define OAPI_KEY_0 0x0B
#define OAPI_KEY_MINUS 0x0C
#define OAPI_KEY_EQUALS 0x0D
#define OAPI_KEY_BACK 0x0E
#define OAPI_KEY_TAB 0x0F
#define OAPI_KEY_Q 0x10
#define OAPI_KEY_W 0x11
#define OAPI_KEY_E 0x12
#define OAPI_KEY_R 0x13
#define OAPI_KEY_T 0x14
#define OAPI_KEY_Y 0x15
#define OAPI_KEY_U 0x16
#define OAPI_KEY_I 0x17
#define OAPI_KEY_O 0x18
#define OAPI_KEY_P 0x19
#define OAPI_KEY_LBRACKET 0x1A
#define OAPI_KEY_RBRACKET 0x1B
#define OAPI_KEY_RETURN 0x1C
#define OAPI_KEY_LCONTROL 0x1D
#define OAPI_KEY_A 0x1E
#define OAPI_KEY_S 0x1F
#define OAPI_KEY_D 0x20
#define OAPI_KEY_F 0x21
#define OAPI_KEY_G 0x22
#define OAPI_KEY_H 0x23
#define OAPI_KEY_J 0x24
#define OAPI_KEY_K 0x25
#define OAPI_KEY_L 0x26
#define OAPI_KEY_SEMICOLON 0x27
#define OAPI_KEY_APOSTROPHE 0x28
#define OAPI_KEY_GRAVE 0x29
#define OAPI_KEY_LSHIFT 0x2A
#define OAPI_KEY_BACKSLASH 0x2B
#define OAPI_KEY_Z 0x2C
#define OAPI_KEY_X 0x2D
#define OAPI_KEY_C 0x2E
#define OAPI_KEY_V 0x2F
#define OAPI_KEY_B 0x30
#define OAPI_KEY_N 0x31
#define OAPI_KEY_M 0x32
#define OAPI_KEY_COMMA 0x33
#define OAPI_KEY_PERIOD 0x34
#define OAPI_KEY_SLASH 0x35
#define OAPI_KEY_RSHIFT 0x36
#define OAPI_KEY_MULTIPLY 0x37
#define OAPI_KEY_LALT 0x38
#define OAPI_KEY_SPACE 0x39
#define OAPI_KEY_CAPITAL 0x3A
#define OAPI_KEY_F1 0x3B
#define OAPI_KEY_F2 0x3C
#define OAPI_KEY_F3 0x3D
#define OAPI_KEY_F4 0x3E
#define OAPI_KEY_F5 0x3F
#define OAPI_KEY_F6 0x40
#define OAPI_KEY_F7 0x41
#define OAPI_KEY_F8 0x42
#define OAPI_KEY_F9 0x43
#define OAPI_KEY_F10 0x44
#define OAPI_KEY_NUMLOCK 0x45
#define OAPI_KEY_SCROLL 0x46
#define OAPI_KEY_NUMPAD7 0x47
#define OAPI_KEY_NUMPAD8 0x48
#define OAPI_KEY_NUMPAD9 0x49
#define OAPI_KEY_SUBTRACT 0x4A
#define OAPI_KEY_NUMPAD4 0x4B
#define OAPI_KEY_NUMPAD5 0x4C
#define OAPI_KEY_NUMPAD6 0x4D
#define OAPI_KEY_ADD 0x4E
#define OAPI_KEY_NUMPAD1 0x4F
#define OAPI_KEY_NUMPAD2 0x50
#define OAPI_KEY_NUMPAD3 0x51
#define OAPI_KEY_NUMPAD0 0x52
#define OAPI_KEY_DECIMAL 0x53
#define OAPI_KEY_F11 0x57
#define OAPI_KEY_F12 0x58
#define OAPI_KEY_NUMPADENTER 0x9C
#define OAPI_KEY_RCONTROL 0x9D
#define OAPI_KEY_DIVIDE 0xB5
#define OAPI_KEY_RALT 0xB8
#define OAPI_KEY_HOME 0xC7
#define OAPI_KEY_UP 0xC8
#define OAPI_KEY_PRIOR 0xC9
#define OAPI_KEY_LEFT 0xCB
#define OAPI_KEY_RIGHT 0xCD
#define OAPI_KEY_END 0xCF
#define OAPI_KEY_DOWN 0xD0
#define OAPI_KEY_NEXT 0xD1
#define OAPI_KEY_INSERT 0xD2
#define OAPI_KEY_DELETE 0xD3

#define KEYDOWN(buf, key) (buf[key] & 0x80)
#define RESETKEY(buf, key) (buf[key] = 0)

// ======================================================================
// Vector and matrix helpers
// ======================================================================
inline VECTOR3 _V(double x, double y, double z) {
    VECTOR3 vec = {{x, y, z}};
    return vec;
}
inline void veccpy(VECTOR3 &a, const VECTOR3 &b) {
    a.x = b.x;
    a.y = b.y;
    a.z = b.z;
}
inline VECTOR3 operator+(const VECTOR3 &a, const VECTOR3 &b) { return _V(a.x + b.x, a.y + b.y, a.z + b.z); }
inline VECTOR3 operator-(const VECTOR3 &a, const VECTOR3 &b) { return _V(a.x - b.x, a.y - b.y, a.z - b.z); }
inline VECTOR3 operator*(const VECTOR3 &a, const double f) { return _V(a.x * f, a.y * f, a.z * f); }
inline VECTOR3 operator/(const VECTOR3 &a, const double f) { return _V(a.x / f, a.y / f, a.z / f); }
inline VECTOR3 &operator+=(VECTOR3 &a, const VECTOR3 &b) {
    a.x += b.x;
    a.y += b.y;
    a.z += b.z;
    return a;
}
inline VECTOR3 &operator-=(VECTOR3 &a, const VECTOR3 &b) {
    a.x -= b.x;
    a.y -= b.y;
    a.z -= b.z;
    return a;
}
inline VECTOR3 &operator*=(VECTOR3 &a, const double f) {
    a.x *= f;
    a.y *= f;
    a.z *= f;
    return a;
}
inline VECTOR3 &operator/=(VECTOR3 &a, const double f) {
    a.x /= f;
    a.y /= f;
    a.z /= f;
    return a;
}
inline VECTOR3 operator-(const VECTOR3 &a) { return _V(-a.x, -a.y, -a.z); }
inline double dotp(const VECTOR3 &a, const VECTOR3 &b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline VECTOR3 crossp(const VECTOR3 &a, const VECTOR3 &b) {
    return _V(a.y * b.z - b.y * a.z, a.z * b.x - b.z * a.x, a.x * b.y - b.x * a.y);
}
inline double length(const VECTOR3 &a) { return sqrt(a.x * a.x + a.y * a.y + a.z * a.z); }
inline double dist(const VECTOR3 &a, const VECTOR3 &b) { return length(a - b); }
inline void normalise(VECTOR3 &a) { a /= length(a); }
inline VECTOR3 unit(const VECTOR3 &a) { return a / length(a); }

inline MATRIX3 _M(double m11, double m12, double m13, double m21, double m22, double m23, double m31, double m32,
                  double m33) {
    MATRIX3 mat = {{m11, m12, m13, m21, m22, m23, m31, m32, m33}};
    return mat;
}
inline VECTOR3 mul(const MATRIX3 &A, const VECTOR3 &b) {
    return _V(A.m11 * b.x + A.m12 * b.y + A.m13 * b.z, A.m21 * b.x + A.m22 * b.y + A.m23 * b.z,
              A.m31 * b.x + A.m32 * b.y + A.m33 * b.z);
}
inline VECTOR3 tmul(const MATRIX3 &A, const VECTOR3 &b) {
    return _V(A.m11 * b.x + A.m21 * b.y + A.m31 * b.z, A.m12 * b.x + A.m22 * b.y + A.m32 * b.z,
              A.m13 * b.x + A.m23 * b.y + A.m33 * b.z);
}
inline MATRIX3 mul(const MATRIX3 &A, const MATRIX3 &B) {
    return _M(A.m11 * B.m11 + A.m12 * B.m21 + A.m13 * B.m31, A.m11 * B.m12 + A.m12 * B.m22 + A.m13 * B.m32,
              A.m11 * B.m13 + A.m12 * B.m23 + A.m13 * B.m33, A.m21 * B.m11 + A.m22 * B.m21 + A.m23 * B.m31,
              A.m21 * B.m12 + A.m22 * B.m22 + A.m23 * B.m32, A.m21 * B.m13 + A.m22 * B.m23 + A.m23 * B.m33,
              A.m31 * B.m11 + A.m32 * B.m21 + A.m33 * B.m31, A.m31 * B.m12 + A.m32 * B.m22 + A.m33 * B.m32,
              A.m31 * B.m13 + A.m32 * B.m23 + A.m33 * B.m33);
}

class VESSEL;
class CELBODY;

// ======================================================================
// oapi functions
// ======================================================================

// Objects
OAPIFUNC OBJHANDLE oapiGetObjectByName(char *name);
OAPIFUNC OBJHANDLE oapiGetVesselByName(char *name);
OAPIFUNC OBJHANDLE oapiGetVesselByIndex(int index);
OAPIFUNC DWORD oapiGetVesselCount();
OAPIFUNC VESSEL *oapiGetVesselInterface(OBJHANDLE hVessel);
OAPIFUNC VESSEL *oapiGetFocusInterface();
OAPIFUNC OBJHANDLE oapiGetFocusObject();
OAPIFUNC OBJHANDLE oapiGetGbodyByName(char *name);
OAPIFUNC OBJHANDLE oapiGetGbodyByIndex(int index);
OAPIFUNC DWORD oapiGetGbodyCount();
OAPIFUNC void oapiGetObjectName(OBJHANDLE hObj, char *name, int n);
OAPIFUNC double oapiGetMass(OBJHANDLE hObj);
OAPIFUNC double oapiGetSize(OBJHANDLE hObj);
OAPIFUNC void oapiGetGlobalPos(OBJHANDLE hObj, VECTOR3 *pos);
OAPIFUNC void oapiGetGlobalVel(OBJHANDLE hObj, VECTOR3 *vel);
OAPIFUNC void oapiGetRelativePos(OBJHANDLE hObj, OBJHANDLE hRef, VECTOR3 *pos);
OAPIFUNC void oapiGetRelativeVel(OBJHANDLE hObj, OBJHANDLE hRef, VECTOR3 *vel);

// Celestial bodies
OAPIFUNC CELBODY *oapiGetCelbodyInterface(OBJHANDLE hBody);
OAPIFUNC double oapiGetPlanetPeriod(OBJHANDLE hPlanet);
OAPIFUNC double oapiGetPlanetObliquity(OBJHANDLE hPlanet);
OAPIFUNC double oapiGetPlanetTheta(OBJHANDLE hPlanet);
OAPIFUNC void oapiGetPlanetObliquityMatrix(OBJHANDLE hPlanet, MATRIX3 *mat);
OAPIFUNC double oapiGetPlanetCurrentRotation(OBJHANDLE hPlanet);

// Time
OAPIFUNC double oapiGetSimTime();
OAPIFUNC double oapiGetSimStep();
OAPIFUNC double oapiGetSysTime();
OAPIFUNC double oapiGetSimMJD();
OAPIFUNC double oapiGetSysMJD();
OAPIFUNC double oapiGetFrameRate();
OAPIFUNC double oapiGetTimeAcceleration();
OAPIFUNC void oapiSetTimeAcceleration(double warp);

// Camera and HUD
OAPIFUNC double oapiCameraAperture();
OAPIFUNC void oapiCameraSetAperture(double aperture);
OAPIFUNC bool oapiSetHUDMode(int mode);
OAPIFUNC int oapiGetHUDMode();

// Debug line (a global buffer of 256 bytes)
OAPIFUNC char *oapiDebugString();

// Scenario files
OAPIFUNC bool oapiReadScenario_nextline(FILEHANDLE scn, char *&line);
OAPIFUNC void oapiWriteLine(FILEHANDLE file, char *line);
OAPIFUNC void oapiWriteScenario_string(FILEHANDLE scn, char *item, char *string);
OAPIFUNC void oapiWriteScenario_int(FILEHANDLE scn, char *item, int i);
OAPIFUNC void oapiWriteScenario_float(FILEHANDLE scn, char *item, double d);
OAPIFUNC void oapiWriteScenario_vec(FILEHANDLE scn, char *item, const VECTOR3 &vec);

// Configuration files
OAPIFUNC bool oapiReadItem_string(FILEHANDLE f, char *item, char *string);
OAPIFUNC bool oapiReadItem_float(FILEHANDLE f, char *item, double &d);
OAPIFUNC bool oapiReadItem_int(FILEHANDLE f, char *item, int &i);
OAPIFUNC bool oapiReadItem_bool(FILEHANDLE f, char *item, bool &b);
OAPIFUNC bool oapiReadItem_vec(FILEHANDLE f, char *item, VECTOR3 &vec);

// Panels
OAPIFUNC void oapiRegisterPanelBackground(HBITMAP hBmp, DWORD flag = PANEL_ATTACH_BOTTOM | PANEL_MOVEOUT_BOTTOM,
                                          DWORD ck = (DWORD)-1);
OAPIFUNC void oapiRegisterPanelArea(int id, const RECT &pos, int draw_event = PANEL_REDRAW_NEVER,
                                    int mouse_event = PANEL_MOUSE_IGNORE, int bkmode = PANEL_MAP_NONE);
OAPIFUNC void oapiRegisterMFD(int mfd, const MFDSPEC &spec);
OAPIFUNC void oapiSetPanelNeighbours(int left, int right, int top, int bottom);
OAPIFUNC void oapiTriggerPanelRedrawArea(int panel_id, int area_id);
OAPIFUNC void oapiTriggerRedrawArea(int panel_id, int vc_id, int area_id);
OAPIFUNC int oapiSetPanel(int panel_id);

// MFDs
OAPIFUNC bool oapiProcessMFDButton(int mfd, int bt, int event);
OAPIFUNC int oapiSendMFDKey(int mfd, DWORD key);
OAPIFUNC void oapiToggleMFD_on(int mfd);
OAPIFUNC const char *oapiMFDButtonLabel(int mfd, int bt);
OAPIFUNC void oapiOpenMFD(int mode, int mfd);
OAPIFUNC int oapiGetMFDMode(int mfd);

// Drawing surfaces
OAPIFUNC HDC oapiGetDC(SURFHANDLE surf);
OAPIFUNC void oapiReleaseDC(SURFHANDLE surf, HDC hDC);
OAPIFUNC SURFHANDLE oapiCreateSurface(int width, int height);
OAPIFUNC SURFHANDLE oapiCreateSurface(HBITMAP hBmp, bool release_bmp = true);
OAPIFUNC void oapiDestroySurface(SURFHANDLE surf);

// Dialogs
OAPIFUNC void oapiOpenInputBox(char *title, bool (*Clbk)(void *, char *, void *), char *buf = 0, int vislen = 20,
                               void *usrdata = 0);

#endif  // __ORBITERAPI_H
