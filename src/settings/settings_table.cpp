// The setting table: key name, control kind, default value and default caption of each of
// the 31 settings, in id order.
#include "settings/settings_model.h"

namespace {

struct SettingRow {
  const char* keyName;
  ControlKind kind;
  const char* value;
  const char* caption;
};

#define TEMPLATE_LIST                                                                      \
  "||Music||Winamp||Слушаю||%Copy||%Artist - %Title||%Artist \"%Title\"||%Album||%Track||" \
  "%Year||%Genre||%Lenght||%Bitrate||%Comment||%File||%PlayState||%ListPos||%SysTime||"    \
  "%Status||%Status2||[%SysTime] %Status||||Файл: %File\\nИсполнитель: %Artist\\n"         \
  "Название: %Title||"

#define PICTURE_LIST                                                                   \
  "||||Злой||Водные процедуры||Уставший||Вечеринка||Пиво||Думаю||Кушаю||ТВ||Друзья||" \
  "Кофе||Музыка||Дела||Кино||Весело||Телефон||Игры||Учёба||Покупки||Болею||Сплю||"    \
  "Отрываюсь||В инете||Инженеринг||Печатаю|| || || || ||Отдыхаю||"

const SettingRow kSettings[kSettingCount] = {
    {"Enable", KindCheck, "1", "Включен"},
    {"IfStatus", KindCheck, "0", "Установлен статус = [Подпись статуса]"},
    {"IfPicture", KindRadio, "0", "Установлена картинка Music (#12)"},
    {"IfAny", KindRadio, "1", "При любом статусе"},
    {"SetPicture", KindCheck, "0", "Картинку статуса"},
    {"SetStatus", KindCheck, "0", "Status - в основной части (20 символов)"},
    {"SetLongStatus", KindCheck, "1", "Status2 - в дополнительой строке"},
    {"LongStatus", KindCombo, "", TEMPLATE_LIST},
    {"SaveRestore", KindCheck, "1", "Восстановить статус после закрытия"},
    {"Picture", KindCombo, "Музыка", PICTURE_LIST},
    {"Status", KindCombo, "", TEMPLATE_LIST},
    {"SetTray", KindCheck, "1", "Tray - на значке в трее"},
    {"About", KindLabel, "", nullptr},
    {"CustomQIP", KindCombo, "", ""},
    {"AllQIP", KindRadio, "1", "Во всех запущенных копиях клиента"},
    {"AllQIPNo", KindRadio, "0", "Только для №"},
    {"Tray", KindCombo, "", TEMPLATE_LIST},
    {"AllowOpen", KindCheck, "1", "Разрешить принудительное открытие \\nокна статуса (только QIP)"},
    {"DelayV", KindCombo, "5", "||1||2||5||10||15||30||"},
    {"DelayT", KindLabel, "", "Задержка установки статуса"},
    {"grQIP", KindGroup, "", " Установить для "},
    {"grIf", KindGroup, "", " Статус "},
    {"grSet", KindGroup, "", " Что менять "},
    {"grMain", KindGroup, "", " Общие "},
    {"Lang", KindCombo, "Russian", "||Russian||"},
    {"VirtPlayState", KindCombo, "", "||[PLAY]||[PAUSE]||[STOP]||"},
    {"Compatible", KindCheck, "1", "Совместимость с другими ICQ-клиентами"},
    {"AddInMenu", KindCheck, "1", "Добавить в меню винампа настройку плагина"},
    {"FormatScript", KindScript, "", ""},
    {"lblChangeIf", KindLabel, "", "Изменять статус если:"},
    {"lblChangeWhere", KindLabel, "", "Где менять статус:"},
};

const SettingRow& Row(int32_t id) {
  return kSettings[id - kFirstSettingId];
}

}  // namespace

const char kVersionLabel[] = "v1.54 / Tunepost Open";

const char* ControlKeyNames(int32_t id) {
  return Row(id).keyName;
}

ControlKind ControlKinds(int32_t id) {
  return Row(id).kind;
}

const char* DefaultValue(int32_t id) {
  return Row(id).value;
}

const char* DefaultCaption(int32_t id) {
  return id == About ? kVersionLabel : Row(id).caption;
}
