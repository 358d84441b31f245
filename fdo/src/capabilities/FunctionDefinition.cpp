// Function and argument definitions are plain value holders; the only rule
// worth code is that a definition always has an argument list.
#include <Fdo/Capabilities/FunctionDefinition.h>

FdoArgumentDefinition::FdoArgumentDefinition(FdoString* name, FdoString* description,
                                             FdoPropertyType propertyType, FdoDataType dataType)
    : m_name(name), m_description(description), m_propertyType(propertyType), m_dataType(dataType) {
    if (m_name.IsEmpty()) throw FdoConnectionException::Create(L"An argument definition needs a name.");
}

FdoFunctionDefinition::FdoFunctionDefinition(FdoString* name, FdoString* description,
                                             FdoPropertyType returnPropertyType, FdoDataType returnType,
                                             FdoArgumentDefinitionCollection* arguments, bool isAggregate)
    : m_name(name),
      m_description(description),
      m_returnPropertyType(returnPropertyType),
      m_returnType(returnType),
      m_arguments(FDO_SAFE_ADDREF(arguments)),
      m_isAggregate(isAggregate) {
    if (m_name.IsEmpty()) throw FdoConnectionException::Create(L"A function definition needs a name.");
    if (!m_arguments) m_arguments = FdoArgumentDefinitionCollection::Create();
}

FdoArgumentDefinitionCollection* FdoFunctionDefinition::GetArguments() {
    return FDO_SAFE_ADDREF(m_arguments.p);
}
