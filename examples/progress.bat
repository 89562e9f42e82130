@echo off
rem Sample: a progress window that a loop moves, then closes.
if not defined TOVRIK set TOVRIK=tovrik.exe
if not defined TVKFILE set TVKFILE=C:\Tovrik.bat

rem START returns at once: the window's own invocation stays alive until the window is closed.
start "" "%TOVRIK%" createprogressdlg "Sauvegarde" "<b>Sauvegarde</b> de vos documents<br>Veuillez patienter..." 5

rem Until the window exists, the progress commands find nothing and do nothing: look for it every
rem tenth of a second, for ten seconds at most.
set TRIES=0
:wait
set WINHANDLE=0
"%TOVRIK%" findwindow "Sauvegarde"
CALL %TVKFILE%
if not "%WINHANDLE%"=="0" goto shown
set /a TRIES+=1
if %TRIES% GEQ 100 goto noWindow
"%TOVRIK%" sleep 100
goto wait

:shown
for %%F in (un deux trois quatre cinq) do (
  echo Fichier %%F
  "%TOVRIK%" incrementprogressform "Sauvegarde" 1
)
"%TOVRIK%" closeprogressdlg "Sauvegarde"
echo Fini.
goto :eof

:noWindow
echo La fenetre de progression n'est pas apparue.
