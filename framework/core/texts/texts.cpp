#include "framework/core/texts/texts.h"

#include "framework/core/texts/placeholders.h"
#include "framework/core/texts/texts_backend.h"

#include <mutex>

namespace vorpex::texts {

namespace {

struct ModuleHook
{
    std::mutex mutex;
    TextModuleList modules;
};

ModuleHook& moduleHook()
{
    static ModuleHook hook;
    return hook;
}

std::vector<std::intptr_t> registeredModules()
{
    ModuleHook& hook = moduleHook();
    TextModuleList modules;
    {
        std::lock_guard lock(hook.mutex);
        modules = hook.modules;
    }
    return modules ? modules() : std::vector<std::intptr_t>{};
}

} // namespace

void setTextModules(TextModuleList modules)
{
    ModuleHook& hook = moduleHook();
    std::lock_guard lock(hook.mutex);
    hook.modules = std::move(modules);
}

FrameworkTexts& frameworkTexts()
{
    static FrameworkTexts texts(platformTextSource(registeredModules), platformLocaleLanguage);
    return texts;
}

std::string LT(int id, const std::vector<std::string>& args)
{
    return frameworkTexts().text(id, args);
}

std::string LT2(int id, const std::vector<std::string>& args)
{
    return frameworkTexts().plainText(id, args);
}

int SETLANGUAGE(std::optional<int> language)
{
    return frameworkTexts().setLanguage(language);
}

int GETWINDOWSLANGUAGE()
{
    return platformLocaleLanguage();
}

std::vector<NeutralText> GETLANGUAGES()
{
    return frameworkTexts().neutralTexts();
}

std::optional<std::string> nativeLT(int id)
{
    return frameworkTexts().find(id);
}

std::optional<std::string> nativeLT2(int id)
{
    auto found = frameworkTexts().find(id);
    if (found) {
        *found = removeAccelerators(*found);
    }
    return found;
}

} // namespace vorpex::texts
