// Sdf3Session: what an SDF connection holds while it has a genuine SDF 3
// file open (written by FDO's own SDF provider, version 3.0 or 3.1).
//
// SdfConnection::Open hands such a file, whatever its name, here instead
// of to its GeoPackage store; while the session exists the connection's
// commands are this session's. The file is only read: describing the
// schema, the spatial context, selecting features (with filters) and the
// aggregates Count and SpatialExtents. Every command that would write
// fails with a message saying that the file is an SDF 3 file and can be
// copied into a new SDF file.
#pragma once

#include "Sdf3Schema.h"

#include <Fdo.h>
#include <sdf3/Sdf3File.h>

#include <memory>

namespace sdf {

class SdfConnection;

class Sdf3Session : public FdoDisposable {
public:
    // True when the file starts like an SDF 3 file (never throws).
    static bool Recognises(FdoString* file);
    // Opens and reads the schema; throws FdoConnectionException naming the file.
    static Sdf3Session* Open(FdoString* file);

    sdf3::Sdf3File& File() { return *m_file; }
    Sdf3Schema& Schema() { return *m_schema; }

    // A command for the connection that owns this session (new reference).
    FdoICommand* CreateCommand(FdoInt32 type, SdfConnection* owner);
    static FdoICommandCapabilities* CommandCapabilities();
    // The error for every writing command and for writes through other paths.
    FdoException* ReadOnlyError();

protected:
    Sdf3Session() = default;
    ~Sdf3Session() override;

private:
    std::unique_ptr<sdf3::Sdf3File> m_file;
    std::unique_ptr<Sdf3Schema> m_schema;
};

}  // namespace sdf
