-- One row per user holding their palette library and settings record as JSON.
-- Uploads write single columns, so both JSON columns may be null.
create table public.user_settings (
  id uuid primary key references auth.users (id) on delete cascade,
  palette_library jsonb,
  app_configuration jsonb,
  updated_at timestamptz not null default now()
);

create function public.user_settings_touch_updated_at()
returns trigger
language plpgsql
set search_path = ''
as $$
begin
  new.updated_at := pg_catalog.now();
  return new;
end;
$$;

create trigger user_settings_touch_updated_at
  before update on public.user_settings
  for each row execute function public.user_settings_touch_updated_at();

alter table public.user_settings enable row level security;

create policy "Users read their own settings"
  on public.user_settings for select to authenticated
  using ((select auth.uid()) = id);

create policy "Users create their own settings"
  on public.user_settings for insert to authenticated
  with check ((select auth.uid()) = id);

create policy "Users change their own settings"
  on public.user_settings for update to authenticated
  using ((select auth.uid()) = id)
  with check ((select auth.uid()) = id);

-- The platform's default grants include delete and truncate (which row-level security does
-- not restrict); keep only what the policies above cover.
revoke all on table public.user_settings from anon, authenticated;
grant select, insert, update on table public.user_settings to authenticated;
