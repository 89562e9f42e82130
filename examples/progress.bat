@echo off
rem Sample: a progress window that a loop moves, then closes.
if not defined TOVRIK set TOVRIK=tovrik.exe
if not defined TVKFILE set TVKFILE=C:\Tovrik.bat

rem START returns at once: the window's own invocation stays alive until the window is closed.
start "" "%TOVRIK%" createprogressdlg "Sauvegarde" "<b>Sauvegarde</b> de vos documents<br>Veuillez patienter..." 5

rem Until the window exists, the progress commands find nothing and do nothing: wait for it.
set TRIES=0
:wait
"%TOVRIK%" getversion
set /a TRIES+=1
if %TRIES% LSS 5 goto wait

for %%F in (un deux trois quatre cinq) do (
  echo Fichier %%F
  "%TOVRIK%" incrementprogressform "Sauvegarde" 1
)
"%TOVRIK%" closeprogressdlg "Sauvegarde"
echo Fini.
