@echo off
rem Sample: pick one entry of a list, then say so in the notification area without waiting for the
rem user. The list dialog waits for the user; the notification is started with start "" and goes on alone.
if not defined TOVRIK set TOVRIK=tovrik.exe
if not defined TVKFILE set TVKFILE=C:\Tovrik.bat
setlocal

rem Entries are separated by |; the next argument names the entry selected at first, by its text or
rem its number. The last one is a time-out: when nobody answers within 10 seconds (OK counts them
rem down), the dialog takes that entry by itself and says so with TIMEDOUT=1.
set TIMEDOUT=
"%TOVRIK%" createlistdialog "Exemple" "Format de la sauvegarde :" "Archive zip|Archive 7-Zip & chiffrement|Copie simple" 2 10
CALL %TVKFILE%
rem Between double quotes, characters such as & in the entry are only text to cmd.
echo EXECUTED=%EXECUTED% INDEX=%INDEX% TEXT="%TEXT%"
if defined TIMEDOUT echo Personne n'a repondu : choix par defaut.
if not "%EXECUTED%"=="1" goto cancelled

rem start "" returns at once: the balloon stays up to 5 seconds while the script carries on.
start "" "%TOVRIK%" shownotification "Exemple" "Sauvegarde choisie : %TEXT%" info 5
echo Notification lancee.
goto :eof

:cancelled
echo Annule.
