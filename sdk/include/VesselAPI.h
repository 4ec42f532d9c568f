// Orbiter 2006 vessel interface: VESSEL (operations on a simulated vessel)
// and VESSEL2 (the callback table a vessel module overrides).
//
// Like the simulator's own header this one includes nothing: a source
// includes OrbiterAPI.h (or Orbitersdk.h) first.
#ifndef __VESSELAPI_H
#define __VESSELAPI_H

class Vessel;  // the simulator's own vessel object

class OAPIFUNC VESSEL {
public:
    VESSEL(OBJHANDLE hVessel, int fmodel = 1);
    // No virtual functions at all, a destructor included: a module destroys
    // its vessel through ovcExit. The simulator reads the interface version
    // (0 for VESSEL, 1 for VESSEL2) to decide whether to call the callbacks.
    int Version() const { return version; }

    // Identity
    const OBJHANDLE GetHandle() const;
    char *GetName() const;
    char *GetClassName() const;
    int GetFlightModel() const;
    bool GetEnableFocus() const;

    // Physical parameters
    double GetSize() const;
    void SetSize(double size) const;
    double GetEmptyMass() const;
    void SetEmptyMass(double m) const;
    double GetMass() const;
    void GetPMI(VECTOR3 &pmi) const;
    void SetPMI(const VECTOR3 &pmi) const;
    void SetCW(double cw_z_pos, double cw_z_neg, double cw_x, double cw_y) const;
    void SetCrossSections(const VECTOR3 &cs) const;
    void SetTouchdownPoints(const VECTOR3 &pt1, const VECTOR3 &pt2, const VECTOR3 &pt3) const;
    void SetSurfaceFrictionCoeff(double mu_lng, double mu_lat) const;
    void SetCameraOffset(const VECTOR3 &co) const;
    void GetCameraOffset(VECTOR3 &co) const;

    // State
    void GetStatus(VESSELSTATUS &status) const;
    void DefSetState(const VESSELSTATUS *status) const;
    void GetGlobalPos(VECTOR3 &pos) const;
    void GetGlobalVel(VECTOR3 &vel) const;
    void GetRelativePos(OBJHANDLE hRef, VECTOR3 &pos) const;
    void GetRelativeVel(OBJHANDLE hRef, VECTOR3 &vel) const;
    void GetRotationMatrix(MATRIX3 &R) const;
    void SetRotationMatrix(const MATRIX3 &R) const;
    void GetGlobalOrientation(VECTOR3 &arot) const;
    void SetGlobalOrientation(const VECTOR3 &arot) const;
    void Local2Global(const VECTOR3 &local, VECTOR3 &global) const;
    void Global2Local(const VECTOR3 &global, VECTOR3 &local) const;
    void GlobalRot(const VECTOR3 &rloc, VECTOR3 &rglob) const;
    const OBJHANDLE GetGravityRef() const;
    const OBJHANDLE GetSurfaceRef() const;
    DWORD GetFlightStatus() const;

    // Propellant resources
    PROPELLANT_HANDLE CreatePropellantResource(double maxmass, double mass = -1.0, double efficiency = 1.0) const;
    void DelPropellantResource(PROPELLANT_HANDLE &ph) const;
    void ClearPropellantResources() const;
    PROPELLANT_HANDLE GetPropellantHandleByIndex(DWORD idx) const;
    DWORD GetPropellantCount() const;
    void SetDefaultPropellantResource(PROPELLANT_HANDLE ph) const;
    void SetPropellantMaxMass(PROPELLANT_HANDLE ph, double maxmass) const;
    void SetPropellantMass(PROPELLANT_HANDLE ph, double mass) const;
    double GetPropellantMaxMass(PROPELLANT_HANDLE ph) const;
    double GetPropellantMass(PROPELLANT_HANDLE ph) const;
    double GetPropellantFlowrate(PROPELLANT_HANDLE ph) const;
    double GetTotalPropellantMass() const;
    double GetFuelMass() const;
    double GetMaxFuelMass() const;

    // Thrusters
    THRUSTER_HANDLE CreateThruster(const VECTOR3 &pos, const VECTOR3 &dir, double maxth0, PROPELLANT_HANDLE hp = NULL,
                                   double isp0 = 0.0, double isp_ref = 0.0, double p_ref = 101.4e3) const;
    bool DelThruster(THRUSTER_HANDLE &th) const;
    void ClearThrusterDefinitions() const;
    DWORD GetThrusterCount() const;
    THRUSTER_HANDLE GetThrusterHandleByIndex(DWORD idx) const;
    PROPELLANT_HANDLE GetThrusterResource(THRUSTER_HANDLE th) const;
    void SetThrusterResource(THRUSTER_HANDLE th, PROPELLANT_HANDLE ph) const;
    void GetThrusterRef(THRUSTER_HANDLE th, VECTOR3 &pos) const;
    void GetThrusterDir(THRUSTER_HANDLE th, VECTOR3 &dir) const;
    double GetThrusterMax0(THRUSTER_HANDLE th) const;
    void SetThrusterMax0(THRUSTER_HANDLE th, double maxth0) const;
    double GetThrusterIsp0(THRUSTER_HANDLE th) const;
    double GetThrusterIsp(THRUSTER_HANDLE th) const;
    void SetThrusterIsp(THRUSTER_HANDLE th, double isp) const;
    void SetThrusterIsp(THRUSTER_HANDLE th, double isp_vac, double isp_ref, double p_ref = 101.4e3) const;
    double GetThrusterLevel(THRUSTER_HANDLE th) const;
    void SetThrusterLevel(THRUSTER_HANDLE th, double level) const;
    void IncThrusterLevel(THRUSTER_HANDLE th, double dlevel) const;

    // Thruster groups
    THGROUP_HANDLE CreateThrusterGroup(THRUSTER_HANDLE *th, int nth, THGROUP_TYPE thgt) const;
    bool DelThrusterGroup(THGROUP_HANDLE &thg, THGROUP_TYPE thgt, bool delth = false) const;
    bool DelThrusterGroup(THGROUP_TYPE thgt, bool delth = false) const;
    THGROUP_HANDLE GetThrusterGroupHandle(THGROUP_TYPE thgt) const;
    DWORD GetGroupThrusterCount(THGROUP_HANDLE thg) const;
    DWORD GetGroupThrusterCount(THGROUP_TYPE thgt) const;
    THRUSTER_HANDLE GetGroupThruster(THGROUP_HANDLE thg, DWORD idx) const;
    THRUSTER_HANDLE GetGroupThruster(THGROUP_TYPE thgt, DWORD idx) const;
    void SetThrusterGroupLevel(THGROUP_HANDLE thg, double level) const;
    void SetThrusterGroupLevel(THGROUP_TYPE thgt, double level) const;
    double GetThrusterGroupLevel(THGROUP_HANDLE thg) const;
    double GetThrusterGroupLevel(THGROUP_TYPE thgt) const;

    // Attachments
    ATTACHMENTHANDLE CreateAttachment(bool toparent, const VECTOR3 &pos, const VECTOR3 &dir, const VECTOR3 &rot,
                                      const char *id, bool loose = false) const;
    bool DelAttachment(ATTACHMENTHANDLE attachment) const;
    void ClearAttachments() const;
    void SetAttachmentParams(ATTACHMENTHANDLE attachment, const VECTOR3 &pos, const VECTOR3 &dir,
                             const VECTOR3 &rot) const;
    void GetAttachmentParams(ATTACHMENTHANDLE attachment, VECTOR3 &pos, VECTOR3 &dir, VECTOR3 &rot) const;
    const char *GetAttachmentId(ATTACHMENTHANDLE attachment) const;
    OBJHANDLE GetAttachmentStatus(ATTACHMENTHANDLE attachment) const;
    DWORD AttachmentCount(bool toparent) const;
    DWORD GetAttachmentIndex(ATTACHMENTHANDLE attachment) const;
    ATTACHMENTHANDLE GetAttachmentHandle(bool toparent, DWORD i) const;
    bool AttachChild(OBJHANDLE child, ATTACHMENTHANDLE attachment, ATTACHMENTHANDLE child_attachment) const;
    bool DetachChild(ATTACHMENTHANDLE attachment, double vel = 0.0) const;

    // Scenario state
    void ParseScenarioLine(char *line, VESSELSTATUS *status) const;
    void ParseScenarioLineEx(char *line, void *status) const;

protected:
    Vessel *vessel;
    short flightmodel;
    short version;
};

class OAPIFUNC VESSEL2 : public VESSEL {
public:
    VESSEL2(OBJHANDLE hVessel, int fmodel = 1);

    virtual void clbkSetClassCaps(FILEHANDLE cfg);
    virtual void clbkSaveState(FILEHANDLE scn);
    virtual void clbkLoadStateEx(FILEHANDLE scn, void *status);
    virtual void clbkSetStateEx(const void *status);
    virtual void clbkPostCreation();
    virtual void clbkFocusChanged(bool getfocus, OBJHANDLE hNewVessel, OBJHANDLE hOldVessel);
    virtual void clbkPreStep(double simt, double simdt, double mjd);
    virtual void clbkPostStep(double simt, double simdt, double mjd);
    virtual bool clbkPlaybackEvent(double simt, double event_t, const char *event_type, const char *event);
    virtual void clbkVisualCreated(VISHANDLE vis, int refcount);
    virtual void clbkVisualDestroyed(VISHANDLE vis, int refcount);
    virtual void clbkDrawHUD(int mode, const HUDPAINTSPEC *hps, HDC hDC);
    virtual void clbkRCSMode(int mode);
    virtual void clbkADCtrlMode(DWORD mode);
    virtual void clbkHUDMode(int mode);
    virtual void clbkMFDMode(int mfd, int mode);
    virtual void clbkNavMode(int mode, bool active);
    virtual void clbkDockEvent(int dock, OBJHANDLE mate);
    virtual void clbkAnimate(double simt);
    virtual int clbkConsumeDirectKey(char *kstate);
    virtual int clbkConsumeBufferedKey(DWORD key, bool down, char *kstate);
    virtual bool clbkLoadGenericCockpit();
    virtual bool clbkLoadPanel(int id);
    virtual bool clbkPanelMouseEvent(int id, int event, int mx, int my);
    virtual bool clbkPanelRedrawEvent(int id, int event, SURFHANDLE surf);
    virtual bool clbkLoadVC(int id);
    virtual bool clbkVCMouseEvent(int id, int event, VECTOR3 &p);
    virtual bool clbkVCRedrawEvent(int id, int event, SURFHANDLE surf);
};

#endif  // __VESSELAPI_H
