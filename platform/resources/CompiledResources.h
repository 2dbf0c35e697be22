#pragma once
// The form in which the build tool writes the resource scripts into the
// library: constant tables only, so that nothing runs before main and the
// data costs no start-up time. Resources.cpp turns them into a CResourceSet
// on first use. Only the generated source and Resources.cpp include this.
#include <cstdint>

struct SCompiledItem {
    int id;
    int itemClass; // a DlgItemClass
    const char* className;
    const char* text;
    uint32_t style, exStyle, helpId;
    int x, y, cx, cy;
    int line;
};

struct SCompiledDialog {
    int id;
    const char* symbol;
    bool extended;
    const char* caption;
    uint32_t style, exStyle, helpId;
    int pointSize;
    const char* face;
    int weight;
    bool italic;
    int charset;
    int x, y, cx, cy;
    const char* file;
    int line;
    const SCompiledItem* items;
    int itemCount;
};

struct SCompiledString {
    int id;
    const char* text;
};

struct SCompiledSymbol {
    const char* name;
    long value;
};

struct SCompiledResources {
    const SCompiledDialog* dialogs;
    int dialogCount;
    const SCompiledString* strings;
    int stringCount;
    const SCompiledSymbol* symbols;
    int symbolCount;
};

// Defined by the generated source.
extern const SCompiledResources g_compiledResources;

// A further compiled set (the dialogs made for tests) joins the program's own
// when its generated source is linked in: the source holds one of these.
// Ids must differ from those of every other set.
class CCompiledResourcesRegistration {
public:
    explicit CCompiledResourcesRegistration(const SCompiledResources& set);
};
