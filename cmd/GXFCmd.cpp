// GXFCmd: runs one engine operation per invocation (create a data store,
// apply or export an FDO schema, run a copy task file) and reports the
// result on standard output, with exit code 0 on success and 1 otherwise.
//
// It binds the engine through its plain C entry points only. Every text it
// writes begins with a line feed and none ends with one; scripts parse these
// texts, so they are kept exactly as they have always been, spelling
// included. A long copy shows its progress on standard error, and only when
// that is a terminal.
#include "ConsoleProgress.h"
#include "ConsoleText.h"

#include <GeoxferApi/GXF_EntryPoints.h>

#include <cstdio>
#include <cwchar>
#include <cwctype>
#include <string>
#include <vector>

namespace {

using gxfcmd::Write;

void Out(const std::wstring& text) { Write(stdout, text); }

const wchar_t* const kHelpText =
    L"\nFDO Command line utility 1.0"
    L"\nUsage: gxfcmd Command [Param1] [Param2] [ParamN]"
    L"\nAvailable Commands: CreateDataStore ApplySchema ExportSchema CopyTask\n"
    L"\n---- CreateDataStore Command: \n"
    L"\nCreateDataStore <ProviderName> <DataStoreproperties>\n"
    L"\nExample gxfcmd CreateDataStore \"OsGeo.SDF\" \"c:\\temp\\temp.sdf\" \n"
    L"\n---- ApplySchema Command: \n"
    L"\nApplySchema <Provider> <ConnectionString> <FileNameOfSchema>\n"
    L"\nExample gxfcmd ApplySchema \"Norv.Oracle\" \"UserName=scott;Password=tiger;Service=localhost/orcl;\" "
    L"\"c:\\temp\\fdoschema.xml\" \n"
    L"\n---- ExportSchema Command: \n"
    L"\nExportSchema Provider ConnectionString FileNameOfSchema [Classes]\n"
    L"\nExample 1 copy all:"
    L"\ngxfcmd ExportSchema \"Norv.Oracle\" \"UserName=scott;Password=tiger;Service=localhost/orcl;\" "
    L"\"c:\\temp\\fdoschema.xml\" "
    L"\nExample 2 Copy one class:"
    L"\ngxfcmd ExportSchema \"OSGeo.SDF\" \"c:\\temp\\temp.sdf\" \"c:\\temp\\fdoschema.xml\" \"Class1\""
    L"\nExample 3 Copy multiple classese:"
    L"\ngxfcmd ExportSchema \"OSGeo.SDF\" \"c:\\temp\\temp.sdf\" \"c:\\temp\\fdoschema.xml\" \"Class1,Class2\""
    L"\nExample 4 Copy all schema:"
    L"\ngxfcmd ExportSchema \"OSGeo.SDF\" \"c:\\temp\\temp.sdf\" \"c:\\temp\\fdoschema.xml\" \"Schema1:*\"\n"
    L"\n---- CopyTask Command: \n"
    L"\nCopyTask <FileNameOfTask>"
    L"\n\tRun copy proccess as described in a file 'FileNameOfTask'.\n"
    L"\nExample gxfcmd CopyTask \"c:\\temp\\copydef.xml\" \n";

// Writes the help text, after the error text when there is one; returns the exit code 1.
int Usage(const std::wstring& error = L"") {
    if (!error.empty()) Out(L"\nError Using GXFCmd: " + error + L"\n");
    Out(kHelpText);
    return 1;
}

int WrongCount(const wchar_t* command) {
    return Usage(std::wstring(L"Wrong Number of Parameters for '") + command + L"'!");
}

// The engine's last error text, at most 500 characters of it.
std::wstring LastError() {
    wchar_t buffer[512] = {};
    GXF_GetLastError(buffer, 500);
    return buffer;
}

// Prints the success or failure text for an engine result; returns the exit code.
int Report(int result, const std::wstring& success, const std::wstring& failurePrefix) {
    if (result != 0) {
        Out(failurePrefix + LastError());
        return 1;
    }
    Out(success);
    return 0;
}

bool SameCommand(const std::wstring& word, const wchar_t* command) {
    if (word.size() != std::wcslen(command)) return false;
    for (size_t i = 0; i < word.size(); i++)
        if (std::towlower(word[i]) != std::towlower(command[i])) return false;
    return true;
}

int CreateDataStore(const std::vector<std::wstring>& p) {
    if (p.size() != 2) return WrongCount(L"CreateDataStore");
    return Report(GXF_CreateDataStore(p[0].c_str(), p[1].c_str()), L"\nCreate Data Store OK.",
                  L"\nCreate Data Store Error: ");
}

int ApplySchema(const std::vector<std::wstring>& p) {
    if (p.size() < 3 || p.size() > 4) return WrongCount(L"ApplySchema");
    const long number = p.size() == 4 ? std::wcstol(p[3].c_str(), nullptr, 10) : 0;
    return Report(GXF_ApplySchema(p[0].c_str(), p[1].c_str(), p[2].c_str(), number), L"\nApply Schema no errors.",
                  L"\nApply Schema Error: ");
}

int ExportSchema(const std::vector<std::wstring>& p) {
    if (p.size() < 3 || p.size() > 4) return WrongCount(L"ExportSchema");
    const wchar_t* classList = p.size() == 4 ? p[3].c_str() : nullptr;
    return Report(GXF_ExportSchema(p[0].c_str(), p[1].c_str(), classList, p[2].c_str()),
                  L"\nExport Schema no errors.", L"\nExport Schema Error: ");
}

int CopyTask(const std::vector<std::wstring>& p) {
    if (p.size() != 1) return WrongCount(L"CopyTask");
    Out(L"\nRunning Copy Task: " + p[0]);
    std::fflush(stdout);  // before any progress appears on the terminal
    long count = 0;
    int result = 0;
    {
        gxfcmd::ConsoleProgress progress;
        result = GXF_RunCopyTask(p[0].c_str(), &count);
    }
    return Report(result, L"\nCopy no errors. Copied " + std::to_wstring(count) + L" features", L"\nCopy Error: ");
}

// Runs the copy task of the current folder's copy_sp_rdcl.xml, silently.
int UnitTest() {
    long count = 0;
    GXF_RunCopyTask(L"copy_sp_rdcl.xml", &count);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return Usage();
    const std::wstring command = gxfcmd::FromUtf8(argv[1]);
    std::vector<std::wstring> params;
    for (int i = 2; i < argc; i++) params.push_back(gxfcmd::FromUtf8(argv[i]));

    int exitCode = 1;
    if (SameCommand(command, L"CreateDataStore"))
        exitCode = CreateDataStore(params);
    else if (SameCommand(command, L"ApplySchema"))
        exitCode = ApplySchema(params);
    else if (SameCommand(command, L"ExportSchema"))
        exitCode = ExportSchema(params);
    else if (SameCommand(command, L"CopyTask"))
        exitCode = CopyTask(params);
    else if (SameCommand(command, L"UnitTest"))
        exitCode = UnitTest();
    else
        exitCode = Usage(L"Uknown Command!");
    std::fflush(stdout);
    return exitCode;
}
