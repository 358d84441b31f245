// Descriptions of the expression functions a connection evaluates: name,
// description, result type and arguments. Expression capabilities hand out a
// collection of them; lookups by name ignore case, as function calls in
// expression text do.
#pragma once

#include <Fdo/Common/Enums.h>
#include <Fdo/Common/NamedCollection.h>

class FDO_API FdoArgumentDefinition : public FdoDisposable {
public:
    static FdoArgumentDefinition* Create(FdoString* name, FdoString* description, FdoDataType dataType) {
        return new FdoArgumentDefinition(name, description, FdoPropertyType_DataProperty, dataType);
    }
    static FdoArgumentDefinition* Create(FdoString* name, FdoString* description,
                                         FdoPropertyType propertyType, FdoDataType dataType) {
        return new FdoArgumentDefinition(name, description, propertyType, dataType);
    }

    FdoString* GetName() { return m_name; }
    FdoString* GetDescription() { return m_description; }
    FdoPropertyType GetPropertyType() { return m_propertyType; }
    // Meaningful when the property type is DataProperty.
    FdoDataType GetDataType() { return m_dataType; }

protected:
    FdoArgumentDefinition(FdoString* name, FdoString* description, FdoPropertyType propertyType,
                          FdoDataType dataType);

private:
    FdoStringP m_name;
    FdoStringP m_description;
    FdoPropertyType m_propertyType;
    FdoDataType m_dataType;
};

class FDO_API FdoArgumentDefinitionCollection
    : public FdoCollection<FdoArgumentDefinition, FdoConnectionException> {
public:
    static FdoArgumentDefinitionCollection* Create() { return new FdoArgumentDefinitionCollection(); }

protected:
    FdoArgumentDefinitionCollection() = default;
    void Dispose() override { delete this; }
};

class FDO_API FdoFunctionDefinition : public FdoDisposable {
public:
    // arguments may be null (no arguments); the definition keeps a reference.
    static FdoFunctionDefinition* Create(FdoString* name, FdoString* description, FdoDataType returnType,
                                         FdoArgumentDefinitionCollection* arguments,
                                         bool isAggregate = false) {
        return new FdoFunctionDefinition(name, description, FdoPropertyType_DataProperty, returnType,
                                         arguments, isAggregate);
    }
    static FdoFunctionDefinition* Create(FdoString* name, FdoString* description,
                                         FdoPropertyType returnPropertyType, FdoDataType returnType,
                                         FdoArgumentDefinitionCollection* arguments,
                                         bool isAggregate = false) {
        return new FdoFunctionDefinition(name, description, returnPropertyType, returnType, arguments,
                                         isAggregate);
    }

    FdoString* GetName() { return m_name; }
    FdoString* GetDescription() { return m_description; }
    FdoPropertyType GetReturnPropertyType() { return m_returnPropertyType; }
    FdoDataType GetReturnType() { return m_returnType; }
    // New reference; never null (empty when the function takes no arguments).
    FdoArgumentDefinitionCollection* GetArguments();
    bool IsAggregate() { return m_isAggregate; }

protected:
    FdoFunctionDefinition(FdoString* name, FdoString* description, FdoPropertyType returnPropertyType,
                          FdoDataType returnType, FdoArgumentDefinitionCollection* arguments,
                          bool isAggregate);

private:
    FdoStringP m_name;
    FdoStringP m_description;
    FdoPropertyType m_returnPropertyType;
    FdoDataType m_returnType;
    FdoPtr<FdoArgumentDefinitionCollection> m_arguments;
    bool m_isAggregate;
};

class FDO_API FdoFunctionDefinitionCollection
    : public FdoNamedCollection<FdoFunctionDefinition, FdoConnectionException> {
public:
    static FdoFunctionDefinitionCollection* Create() { return new FdoFunctionDefinitionCollection(); }

protected:
    FdoFunctionDefinitionCollection() : FdoNamedCollection(false) {}
    void Dispose() override { delete this; }
};
