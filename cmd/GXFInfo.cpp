// GXFInfo: prints what this build of Geoxfer holds, and proves the engine
// library loads and works by writing a copy task file and reading it back.
//
// It is the demo program until the copy engine runs end to end; it uses only
// the engine's exported classes and the C entry point for the last error.
#include <GeoxferApi/GXFCopyTaskDef.h>
#include <GeoxferApi/LastError.h>

#include <Fdo/ClientServices/FeatureAccessManager.h>

#include <cstdio>
#include <filesystem>
#include <string>

static void Line(const char* label, const char* text) { std::printf("  %-22s %s\n", label, text); }

int main(int argc, char** argv) {
    std::printf("Geoxfer %s\n", GEOXFER_VERSION);
    Line("engine library", "GeoxferApi: copy task files, result codes and last error text");
    Line("data access layer", "Fdo: schema model and deep copy, FDO schema XML, data values,");
    Line("", "geometry (FGF, text, WKB), filters, connections and provider registry");
    {
        FdoPtr<IProviderRegistry> registry = FdoFeatureAccessManager::GetProviderRegistry();
        const FdoProviderCollection* providers = registry->GetProviders();
        if (providers->GetCount() == 0) Line("FDO providers", "none registered");
        for (FdoInt32 i = 0; i < providers->GetCount(); i++) {
            FdoPtr<FdoProvider> p = providers->GetItem(i);
            FdoStringP text = FdoStringP(p->GetName()) + L"  " + p->GetDisplayName();
            Line(i == 0 ? "FDO providers" : "", static_cast<const char*>(text));
        }
    }

    std::filesystem::path file = argc > 1 ? std::filesystem::path(argv[1])
                                          : std::filesystem::temp_directory_path() / "geoxfer-demo-task.xml";
    FdoPtr<c_GXFCopyTaskDef> task = new c_GXFCopyTaskDef();
    task->SetSourceProvider(L"OSGeo.SHP");
    task->SetSourceConnString(L"DefaultFileLocation=/usr/share/geoxfer/world;");
    task->SetDestProvider(L"OSGeo.SDF");
    task->SetDestConnString(L"File=/tmp/world.sdf;");
    {
        FdoPtr<c_GXFClassCopyDefCollection> classes = task->GetClassCopyDefCollection();
        FdoPtr<c_GXFClassCopyDef> world = new c_GXFClassCopyDef();
        world->SetSourceClassName(L"world");
        world->SetDestClassName(L"World");
        world->SetCopyFilter(L"pop > 1000000");
        classes->Add(world);
    }
    try {
        task->WriteToXML(FdoStringP(file.string().c_str()));
    } catch (FdoException* e) {
        std::printf("Writing the copy task failed: %s\n", static_cast<const char*>(FdoStringP(e->GetExceptionMessage())));
        e->Release();
        return 1;
    }
    FdoPtr<c_GXFCopyTaskDef> back = new c_GXFCopyTaskDef();
    if (!back->ReadFromXML(FdoStringP(file.string().c_str()))) {
        std::printf("Reading the copy task back failed: %s\n", file.string().c_str());
        return 1;
    }
    FdoStringP classes;
    int n = back->GetSourceClassesAsString(classes);
    std::printf("\nCopy task written to %s and read back:\n", file.string().c_str());
    std::printf("  %s -> %s, %d class(es): %s\n", static_cast<const char*>(FdoStringP(back->GetSourceProvider())),
                static_cast<const char*>(FdoStringP(back->GetDestProvider())), n,
                static_cast<const char*>(classes));
    return 0;
}
