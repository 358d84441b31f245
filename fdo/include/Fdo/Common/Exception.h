// FdoException and its family.
//
// Exceptions are reference-counted and thrown as pointers:
//     throw FdoSchemaException::Create(L"...");
// and the catcher releases them:
//     catch (FdoException* e) { ...; e->Release(); }
// An exception may wrap a cause; ToFullString joins the whole chain, which is
// what a user wants to read when one library error was wrapped by another.
#pragma once

#include <Fdo/Common/IDisposable.h>
#include <Fdo/Common/StringP.h>

class FDO_API FdoException : public FdoIDisposable {
public:
    static FdoException* Create();
    static FdoException* Create(FdoString* message);
    static FdoException* Create(FdoString* message, FdoInt64 nativeErrorCode);
    static FdoException* Create(FdoString* message, FdoException* cause);
    static FdoException* Create(FdoString* message, FdoException* cause, FdoInt64 nativeErrorCode);

    // This exception's own text (borrowed); never the cause's.
    virtual FdoString* GetExceptionMessage();
    virtual FdoString* ToString() { return nullptr; }
    FdoException* GetCause();      // new reference or null
    FdoException* GetRootCause();  // deepest cause, itself when none; new reference
    void SetCause(FdoException* cause);
    FdoInt64 GetNativeErrorCode() { return m_nativeErrorCode; }

    // The messages of this exception and its causes, joined with ": ".
    FdoStringP ToFullString();


    // The class name of the concrete exception, for messages and tests.
    virtual FdoString* GetKind() { return L"FdoException"; }

protected:
    FdoException() = default;
    FdoException(FdoString* message, FdoException* cause, FdoInt64 nativeErrorCode);
    ~FdoException() override;
    void Dispose() override { delete this; }

private:
    FdoStringP m_message;
    FdoException* m_cause = nullptr;
    FdoInt64 m_nativeErrorCode = 0;
};

#define FDO_DECLARE_EXCEPTION(Name, Base)                                                        \
    class FDO_API Name : public Base {                                                           \
    public:                                                                                      \
        static Name* Create() { return new Name(nullptr, nullptr, 0); }                         \
        static Name* Create(FdoString* m) { return new Name(m, nullptr, 0); }                   \
        static Name* Create(FdoString* m, FdoInt64 code) { return new Name(m, nullptr, code); } \
        static Name* Create(FdoString* m, FdoException* cause) { return new Name(m, cause, 0); } \
        static Name* Create(FdoString* m, FdoException* cause, FdoInt64 code) {                  \
            return new Name(m, cause, code);                                                     \
        }                                                                                        \
        FdoString* GetKind() override { return L## #Name; }                                      \
                                                                                                 \
    protected:                                                                                   \
        Name(FdoString* m, FdoException* cause, FdoInt64 code) : Base(m, cause, code) {}         \
    }

FDO_DECLARE_EXCEPTION(FdoCommandException, FdoException);
FDO_DECLARE_EXCEPTION(FdoConnectionException, FdoException);
FDO_DECLARE_EXCEPTION(FdoSchemaException, FdoException);
FDO_DECLARE_EXCEPTION(FdoAutogenerationException, FdoSchemaException);
FDO_DECLARE_EXCEPTION(FdoFilterException, FdoException);
FDO_DECLARE_EXCEPTION(FdoExpressionException, FdoException);
FDO_DECLARE_EXCEPTION(FdoClientServiceException, FdoException);
FDO_DECLARE_EXCEPTION(FdoXmlException, FdoException);
FDO_DECLARE_EXCEPTION(FdoSpatialContextMismatchException, FdoException);
