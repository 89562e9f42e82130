// Regional settings of three locales as Windows gives them, for the tests of the text rules and commands.
#pragma once

#include "platform/regional_settings.h"

namespace tovrik::fakes {

// French (France): decimal comma, day before month, 24-hour clock.
inline RegionalSettings frenchSettings() {
  RegionalSettings settings;
  settings.decimalSeparator = ',';
  settings.dateSeparator = "/";
  settings.timeSeparator = ":";
  settings.shortMonthNames = {"janv.", "f\xE9vr.", "mars", "avr.", "mai", "juin",
                              "juil.", "ao\xFBt", "sept.", "oct.", "nov.", "d\xE9" "c."};
  settings.longMonthNames = {"janvier", "f\xE9vrier", "mars", "avril", "mai", "juin",
                             "juillet", "ao\xFBt", "septembre", "octobre", "novembre", "d\xE9" "cembre"};
  settings.shortDayNames = {"dim.", "lun.", "mar.", "mer.", "jeu.", "ven.", "sam."};
  settings.longDayNames = {"dimanche", "lundi", "mardi", "mercredi", "jeudi", "vendredi", "samedi"};
  settings.shortDatePicture = "dd/MM/yyyy";
  settings.longDatePicture = "dddd d MMMM yyyy";
  settings.shortTimePicture = "HH:mm";
  settings.longTimePicture = "HH:mm:ss";
  return settings;
}

// English (United States): decimal point, month before day, 12-hour clock with AM and PM.
inline RegionalSettings englishSettings() {
  RegionalSettings r;
  r.shortMonthNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  r.longMonthNames = {"January", "February", "March",     "April",   "May",      "June",
                      "July",    "August",   "September", "October", "November", "December"};
  r.shortDayNames = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  r.longDayNames = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
  r.shortDatePicture = "M/d/yyyy";
  r.longDatePicture = "dddd, MMMM d, yyyy";
  r.shortTimePicture = "h:mm tt";
  r.longTimePicture = "h:mm:ss tt";
  r.amDesignator = "AM";
  r.pmDesignator = "PM";
  return r;
}

// German (Germany): the French settings with German separators, pictures and two German names.
inline RegionalSettings germanSettings() {
  RegionalSettings r = frenchSettings();
  r.dateSeparator = ".";
  r.longMonthNames[1] = "Februar";
  r.longDayNames[6] = "Samstag";
  r.shortDatePicture = "dd.MM.yyyy";
  r.longDatePicture = "dddd, d. MMMM yyyy";
  return r;
}

}  // namespace tovrik::fakes
