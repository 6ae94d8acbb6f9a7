// C entry points of the open-window and open-object registries.
#include "lists/window_registry.hpp"
#include "table.hpp"

using orv::exports::in;

extern "C" {

uint8_t DODAJOKNO(const char* name) {
  return orv::lists::DODAJOKNO(in(name));
}
void SKASUJOKNO(const char* name) {
  orv::lists::SKASUJOKNO(in(name));
}
int32_t WEZOKNO(const char* name) {
  return orv::lists::WEZOKNO(in(name));
}

void ADDKOO(const char* name, const char* qualifier) {
  orv::lists::ADDKOO(in(name), in(qualifier));
}
void DELKOO(const char* name, const char* qualifier) {
  orv::lists::DELKOO(in(name), in(qualifier));
}
uint8_t ISKOO(const char* name, const char* qualifier) {
  return orv::lists::ISKOO(in(name), in(qualifier));
}
void FREEKOO(void) {
  orv::lists::FREEKOO();
}

}  // extern "C"

ORV_EXPORT(DODAJOKNO, "register an open window: 1 now registered, 0 already open", "name");
ORV_EXPORT(SKASUJOKNO, "unregister an open window", "name");
ORV_EXPORT(WEZOKNO, "the value stored with an open window, 0 when not open", "name");
ORV_EXPORT(ADDKOO, "register an open object (name, qualifier)", "name", "qualifier");
ORV_EXPORT(DELKOO, "unregister an open object (name, qualifier)", "name", "qualifier");
ORV_EXPORT(ISKOO, "1 when the object (name, qualifier) is open", "name", "qualifier");
ORV_EXPORT(FREEKOO, "forget every open object");
