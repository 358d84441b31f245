#include <Fdo/Common/Exception.h>

FdoException* FdoException::Create() { return new FdoException(nullptr, nullptr, 0); }
FdoException* FdoException::Create(FdoString* message) { return new FdoException(message, nullptr, 0); }
FdoException* FdoException::Create(FdoString* message, FdoInt64 code) {
    return new FdoException(message, nullptr, code);
}
FdoException* FdoException::Create(FdoString* message, FdoException* cause) {
    return new FdoException(message, cause, 0);
}
FdoException* FdoException::Create(FdoString* message, FdoException* cause, FdoInt64 code) {
    return new FdoException(message, cause, code);
}

FdoException::FdoException(FdoString* message, FdoException* cause, FdoInt64 nativeErrorCode)
    : m_message(message), m_cause(FDO_SAFE_ADDREF(cause)), m_nativeErrorCode(nativeErrorCode) {}

FdoException::~FdoException() { FDO_SAFE_RELEASE(m_cause); }

FdoString* FdoException::GetExceptionMessage() { return m_message; }

FdoException* FdoException::GetCause() { return FDO_SAFE_ADDREF(m_cause); }

FdoException* FdoException::GetRootCause() {
    FdoException* e = this;
    while (e->m_cause) e = e->m_cause;
    return FDO_SAFE_ADDREF(e);
}

void FdoException::SetCause(FdoException* cause) {
    // Refuse a cycle: a cause chain must end.
    for (FdoException* e = cause; e; e = e->m_cause)
        if (e == this) return;
    FDO_SAFE_ADDREF(cause);
    FDO_SAFE_RELEASE(m_cause);
    m_cause = cause;
}

FdoStringP FdoException::ToFullString() {
    FdoStringP text = m_message;
    for (FdoException* e = m_cause; e; e = e->m_cause) {
        if (e->m_message.IsEmpty()) continue;
        text += text.IsEmpty() ? L"" : L": ";
        text += e->m_message;
    }
    return text;
}
