// One WMI property's value as text, by its CIM type.
#include "Vexor_WMI.h"
#include "sysinfo/Vexor_WMI_Instances.h"

#include "base/win/Com.h"

#include <oleauto.h>

#include <cstdlib>

namespace {

enum class TRendering { Integer, Float, Text, Boolean };

char DecimalSeparator() {
    char separator[8] = {};
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, sizeof separator) > 0 && separator[0])
        return separator[0];
    return '.';
}

bool IsIntegerText(const std::string& text) {
    size_t i = text.size() > 1 && text[0] == '-' ? 1 : 0;
    if (i == text.size())
        return false;
    for (; i < text.size(); ++i)
        if (text[i] < '0' || text[i] > '9')
            return false;
    return true;
}

std::optional<std::string> ElementText(const VARIANT& value, TRendering rendering) {
    // VariantChangeType takes its source as non-const; it does not change it.
    VARIANT* element = const_cast<VARIANT*>(&value);
    UniqueVariant converted;
    switch (rendering) {
    case TRendering::Integer: {
        if (SUCCEEDED(VariantChangeType(converted.Get(), element, 0, VT_I4)))
            return std::to_string(V_I4(converted.Get()));
        // A number beyond 32 bits (WMI hands 64-bit integers over as text)
        // keeps all its digits instead of ending the walk.
        if (FAILED(VariantChangeType(converted.Put(), element, 0, VT_BSTR)))
            return std::nullopt;
        std::string text = BstrToAnsi(V_BSTR(converted.Get()));
        if (!IsIntegerText(text))
            return std::nullopt;
        return text;
    }
    case TRendering::Float:
        if (FAILED(VariantChangeType(converted.Get(), element, 0, VT_R8)))
            return std::nullopt;
        return GeneralFloatText(V_R8(converted.Get()), DecimalSeparator());
    case TRendering::Boolean:
        if (FAILED(VariantChangeType(converted.Get(), element, 0, VT_BOOL)))
            return std::nullopt;
        return V_BOOL(converted.Get()) ? "True" : "False";
    case TRendering::Text:
        if (V_VT(element) == VT_BSTR)
            return BstrToAnsi(V_BSTR(element));
        if (FAILED(VariantChangeType(converted.Get(), element, 0, VT_BSTR)))
            return std::nullopt;
        return BstrToAnsi(V_BSTR(converted.Get()));
    }
    return std::nullopt;
}

// Element index of a one-dimensional array as a variant.
bool ArrayElement(SAFEARRAY* array, VARTYPE type, LONG index, UniqueVariant& element) {
    if (type == VT_VARIANT)
        return SUCCEEDED(SafeArrayGetElement(array, &index, element.Put()));
    switch (type) {
    case VT_I1:
    case VT_I2:
    case VT_I4:
    case VT_I8:
    case VT_UI1:
    case VT_UI2:
    case VT_UI4:
    case VT_UI8:
    case VT_INT:
    case VT_UINT:
    case VT_R4:
    case VT_R8:
    case VT_BOOL:
    case VT_BSTR:
    case VT_DATE:
    case VT_CY:
    case VT_ERROR:
        break;
    default:
        return false;
    }
    VARIANT* value = element.Put();
    // These types fit the variant's value field, where the array copies them.
    if (FAILED(SafeArrayGetElement(array, &index, &V_UI1(value))))
        return false;
    V_VT(value) = type;
    return true;
}

std::optional<std::string> ValueText(const VARIANT& value, TRendering rendering, const char* joiner) {
    if (!(V_VT(&value) & VT_ARRAY))
        return ElementText(value, rendering);
    SAFEARRAY* array = (V_VT(&value) & VT_BYREF) ? *V_ARRAYREF(&value) : V_ARRAY(&value);
    LONG lower = 0;
    LONG upper = -1;
    if (!array || SafeArrayGetDim(array) != 1 || FAILED(SafeArrayGetLBound(array, 1, &lower)) ||
        FAILED(SafeArrayGetUBound(array, 1, &upper)))
        return std::nullopt;
    const VARTYPE type = V_VT(&value) & VT_TYPEMASK;
    std::string text;
    for (LONG index = lower; index <= upper; ++index) {
        UniqueVariant element;
        if (!ArrayElement(array, type, index, element))
            return std::nullopt;
        const std::optional<std::string> part = ElementText(*element.Get(), rendering);
        if (!part)
            return std::nullopt;
        if (index > lower)
            text += joiner;
        text += *part;
    }
    return text;
}

} // namespace

std::optional<std::string> WmiValueText(ISWbemProperty* property) {
    UniqueVariant value;
    if (!property || FAILED(property->get_Value(value.Put())))
        return std::nullopt;
    if (value.Type() == VT_NULL)
        return "NULL";
    WbemCimtypeEnum type = wbemCimtypeSint32;
    if (FAILED(property->get_CIMType(&type)))
        return std::nullopt;
    switch (type) {
    case wbemCimtypeSint16:
    case wbemCimtypeSint32:
    case wbemCimtypeSint8:
    case wbemCimtypeUint8:
    case wbemCimtypeUint16:
    case wbemCimtypeUint32:
    case wbemCimtypeSint64:
        return ValueText(*value.Get(), TRendering::Integer, ";");
    case wbemCimtypeReal32:
    case wbemCimtypeReal64:
        return ValueText(*value.Get(), TRendering::Float, ";");
    case wbemCimtypeString:
    case wbemCimtypeUint64:
    case wbemCimtypeDatetime:
    case wbemCimtypeReference:
        return ValueText(*value.Get(), TRendering::Text, "|");
    case wbemCimtypeBoolean:
        return ValueText(*value.Get(), TRendering::Boolean, ";");
    case wbemCimtypeObject:
        return "<CIM Object>";
    case wbemCimtypeChar16:
        return "<16-bit character>";
    default:
        return std::string();
    }
}
