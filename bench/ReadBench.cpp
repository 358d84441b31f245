// ReadBench: reads every feature of one shape file class through the
// OSGeo.SHP provider, touching every property, and prints features per
// second and the peak resident memory (VmHWM), which must not grow with
// the feature count.
//
//   ReadBench <folder or .shp> [class]
#include <Fdo.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>

namespace {

long PeakRssKb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
    return -1;
}

int Run(int argc, char** argv) {
    FdoPtr<IConnectionManager> manager = FdoFeatureAccessManager::GetConnectionManager();
    FdoPtr<FdoIConnection> connection = manager->CreateConnection(L"OSGeo.SHP");
    connection->SetConnectionString(FdoStringP(L"DefaultFileLocation=") + FdoStringP(argv[1]));
    connection->Open();

    FdoStringP className = argc > 2 ? FdoStringP(argv[2]) : FdoStringP();
    if (className.IsEmpty()) {
        FdoPtr<FdoIGetClassNames> names =
            static_cast<FdoIGetClassNames*>(connection->CreateCommand(FdoCommandType_GetClassNames));
        FdoPtr<FdoStringCollection> list = names->Execute();
        if (list->GetCount() == 0) {
            fprintf(stderr, "no shape file in %s\n", argv[1]);
            return 1;
        }
        className = list->GetString(0);
    }

    auto start = std::chrono::steady_clock::now();
    FdoPtr<FdoISelect> select = static_cast<FdoISelect*>(connection->CreateCommand(FdoCommandType_Select));
    select->SetFeatureClassName(className);
    FdoPtr<FdoIFeatureReader> reader = select->Execute();
    FdoPtr<FdoClassDefinition> cls = reader->GetClassDefinition();
    FdoPtr<FdoPropertyDefinitionCollection> props = cls->GetProperties();
    long long features = 0, bytes = 0;
    while (reader->ReadNext()) {
        for (FdoInt32 i = 0; i < props->GetCount(); i++) {
            FdoPtr<FdoPropertyDefinition> p = props->GetItem(i);
            FdoString* name = p->GetName();
            if (reader->IsNull(name)) continue;
            if (p->GetPropertyType() == FdoPropertyType_GeometricProperty) {
                FdoInt32 n = 0;
                reader->GetGeometry(name, &n);
                bytes += n;
                continue;
            }
            switch (static_cast<FdoDataPropertyDefinition*>(p.p)->GetDataType()) {
                case FdoDataType_String: bytes += static_cast<long long>(wcslen(reader->GetString(name))); break;
                case FdoDataType_Int16: bytes += reader->GetInt16(name) & 1; break;
                case FdoDataType_Int32: bytes += reader->GetInt32(name) & 1; break;
                case FdoDataType_Int64: bytes += reader->GetInt64(name) & 1; break;
                case FdoDataType_Decimal:
                case FdoDataType_Double: bytes += reader->GetDouble(name) > 0; break;
                case FdoDataType_Boolean: bytes += reader->GetBoolean(name); break;
                case FdoDataType_DateTime: bytes += reader->GetDateTime(name).day; break;
                default: break;
            }
        }
        features++;
    }
    reader->Close();
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    connection->Close();
    printf("class %ls: %lld features in %.2f s, %.0f features/s, checksum %lld, peak RSS %ld kB\n",
           static_cast<FdoString*>(className), features, seconds, features / seconds, bytes, PeakRssKb());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        fprintf(stderr, "usage: ReadBench <folder or .shp> [class]\n");
        return 2;
    }
    try {
        return Run(argc, argv);
    } catch (FdoException* e) {
        fprintf(stderr, "error: %ls\n", static_cast<FdoString*>(e->ToFullString()));
        e->Release();
        return 1;
    }
}
