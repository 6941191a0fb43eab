{ Compiles a help project (.hhp) into a .chm file, like chmcmd, with one difference: the context map names
  each topic by its path inside the compiled file ("topics/a.htm"). chmcmd stores the absolute path of the
  source file on the build machine there, which no reader of the installed file can find.

  Usage: chm_compile PROJECT.hhp   (run in the project's folder; writes the project's "Compiled file") }
program chm_compile;

{$mode objfpc}{$H+}

uses
  {$ifdef unix}cwstring,{$endif} Classes, SysUtils, chmfilewriter, chmwriter, chmsitemap;

type
  THelpProject = class(TChmProject)
  public
    procedure WriteWithRelativeContexts(AOutStream: TStream);
  end;

procedure THelpProject.WriteWithRelativeContexts(AOutStream: TStream);
var
  Writer: TChmWriter;
  Toc: TChmSiteMap;
  Node: TChmContextNode;
  I: Integer;
begin
  LoadSitemaps;
  if ScanHtmlContents then
    ScanHtml;
  Toc := nil;
  Writer := TChmWriter.Create(AOutStream, False);
  try
    Writer.OnGetFileData := @GetData;
    Writer.OnLastFile := @LastFileAdded;
    Writer.FilesToCompress.AddStrings(Files);
    Writer.FilesToCompress.AddStrings(OtherFiles);
    Writer.DefaultPage := DefaultPage;
    Writer.Title := Title;
    Writer.DefaultFont := DefaultFont;
    Writer.FullTextSearch := MakeSearchable;
    Writer.HasBinaryTOC := MakeBinaryTOC;
    Writer.HasBinaryIndex := MakeBinaryIndex;
    Writer.IndexName := IndexFileName;
    Writer.TocName := TableOfContentsFileName;
    Writer.ReadmeMessage := ReadmeMessage;
    Writer.DefaultWindow := DefaultWindow;
    Writer.LocaleID := LocaleID;
    for I := 0 to Files.Count - 1 do
    begin
      Node := TChmContextNode(Files.Objects[I]);
      if not FileExists(ProjectDir + Files[I]) then
        raise Exception.Create('File ' + Files[I] + ' does not exist');
      if Assigned(Node) and (Node.ContextNumber <> 0) then
        Writer.AddContext(Node.ContextNumber, Files[I]);
    end;
    if Windows.Count > 0 then
      Writer.Windows := Windows;
    if TableOfContentsFileName <> '' then
    begin
      Toc := TChmSiteMap.Create(stTOC);
      Toc.LoadFromFile(ProjectDir + TableOfContentsFileName);
      Writer.TocSitemap := Toc;
    end;
    Writer.Execute;
  finally
    Writer.Free;
    Toc.Free;
  end;
end;

procedure ReportError(Project: TChmProject; Kind: TChmProjectErrorKind; Msg: String; DetailLevel: Integer);
begin
  if (Kind in [chmerror, chmwarning]) and (DetailLevel <= 1) then
    WriteLn(StdErr, ChmErrorKindText[Kind], ': ', Msg);
end;

var
  Project: THelpProject;
  Output: TFileStream;
begin
  if ParamCount <> 1 then
  begin
    WriteLn(StdErr, 'Usage: chm_compile PROJECT.hhp');
    Halt(2);
  end;
  Project := THelpProject.Create;
  try
    try
      Project.OnError := @ReportError;
      Project.LoadFromHHP(ParamStr(1), False);
      Output := TFileStream.Create(Project.OutputFileName, fmCreate);
      try
        Project.WriteWithRelativeContexts(Output);
      finally
        Output.Free;
      end;
    except
      on E: Exception do
      begin
        WriteLn(StdErr, 'chm_compile: ', E.Message);
        DeleteFile(Project.OutputFileName);
        Halt(1);
      end;
    end;
  finally
    Project.Free;
  end;
end.
