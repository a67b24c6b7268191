// C exports: the macro table and the fields of macros.
#include "exports/export_guard.h"

using namespace orvane;

extern "C" KyMacro GetScrapMacro(void)
{
    return guardedCall<KyMacro>(0, [](Engine &e) { return e.scrap(); });
}

extern "C" uint16_t GetMaxMacroNum(void)
{
    return guardedCall<uint16_t>(0, [](Engine &e) { return e.capacity(); });
}

extern "C" uint8_t InstallMacro(KyKey key, KyMacro source, const char *name, KyCodeHook codeHook)
{
    return guardedCall<uint8_t>(kInstallFailed,
                                [&](Engine &e) { return e.installMacro(key, source, name, codeHook); });
}

extern "C" KyMacro GetMacroByKey(KyKey key)
{
    return guardedCall<KyMacro>(0, [&](Engine &e) { return e.macroByKey(key); });
}

extern "C" KyMacro GetMacroByIndex(int32_t index)
{
    return guardedCall<KyMacro>(0, [&](Engine &e) { return e.macroByIndex(index); });
}

extern "C" KyMacro GetMacroByName(const char *name)
{
    return guardedCall<KyMacro>(0, [&](Engine &e) { return e.macroByName(name); });
}

extern "C" KyKey GetMacroKey(KyMacro macro)
{
    return guardedCall<KyKey>(0, [&](Engine &e) { return e.macroKey(macro); });
}

extern "C" void SetMacroKey(KyMacro macro, KyKey key)
{
    guardedVoidCall([&](Engine &e) { e.setMacroKey(macro, key); });
}

extern "C" const char *GetMacroName(KyMacro macro)
{
    return guardedCall<const char *>("", [&](Engine &e) { return e.macroName(macro); });
}

extern "C" void SetMacroName(KyMacro macro, char *name)
{
    guardedVoidCall([&](Engine &e) { e.setMacroName(macro, name); });
}

extern "C" KyCodeHook GetMacroCodeHook(KyMacro macro)
{
    return guardedCall<KyCodeHook>(nullptr, [&](Engine &e) { return e.macroCodeHook(macro); });
}

extern "C" void SetMacroCodeHook(KyMacro macro, KyCodeHook codeHook)
{
    guardedVoidCall([&](Engine &e) { e.setMacroCodeHook(macro, codeHook); });
}
